// Loads ini/ below the current folder through the installed module and prints a few answers.
#include <cstdio>

#include "I3DRoleBaseData.h"

int main() {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) return 1;
  int nCreated = pData->Create();
  printf("Create %d, look 1201 at %.2f, camera scale %d\n", nCreated, pData->GetLookScale(1201),
         static_cast<int>(CAMERA_MAX_SCALE));
  RoleBaseDataDestroy();
  return 0;
}
