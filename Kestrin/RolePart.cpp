// Role part hiding (ini/RolePartHide.ini) and replacement (ini/RolePartReplace.ini).
#include <cstdio>

#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateRolePartHideInfo() { return 0; }

int32_t C3DRoleBaseData::CreateRolePartReplaceInfo() {
  FILE* pFile = fopen("ini/RolePartReplace.ini", "r");
  if (pFile == nullptr) return 0;
  fclose(pFile);
  return 1;
}

int32_t C3DRoleBaseData::IsRolePartHidden(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                          const char*) {
  return 0;
}

const RolePartReplaceInfo* C3DRoleBaseData::GetRolePartReplaceInfo(int32_t) { return nullptr; }

void C3DRoleBaseData::ReleaseRolePartHideInfo() { m_mapRolePartHide.clear(); }
