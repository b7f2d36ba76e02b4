// The Microsoft-ABI client's calls on the Linux build of the module: the answers the client's
// must equal, on the same data (the current folder).
#include <cstdio>

#include "ClientCalls.h"

namespace {

class StdOut final : public CClientOut {
 public:
  void Write(const char* pText, unsigned nLength) override { fwrite(pText, 1, nLength, stdout); }
};

}  // namespace

int main() {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) return 1;
  StdOut out;
  ClientCalls(pData, out);
  RoleBaseDataDestroy();
  return 0;
}
