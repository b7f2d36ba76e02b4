// ini/RoleTrace.ini of any bytes, loaded as the client loads it, then queried: no crash, no
// read outside a buffer, and every answer is the asked key's record or its 999 fallback's.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "I3DRoleBaseData.h"

namespace {

// Works in a folder of its own: the module reads ini/ and writes debug/ there.
I3DRoleBaseData* Service() {
  static I3DRoleBaseData* s_pData = [] {
    char szFolder[] = "/tmp/role-trace-fuzz-XXXXXX";
    if (mkdtemp(szFolder) == nullptr || chdir(szFolder) != 0) abort();
    std::filesystem::create_directory("ini");
    return RoleBaseDataQuery();
  }();
  return s_pData;
}

int64_t FallbackOf(int64_t nKey) {
  uint32_t nSum = static_cast<uint32_t>(nKey / 10000000) * 10000000u + 9990000u +
                  static_cast<uint32_t>(nKey % 10000);
  return static_cast<int32_t>(nSum);
}

void Check(I3DRoleBaseData* pData, int64_t nKey) {
  const RoleTraceInfo* pInfo = pData->GetRoleTraceInfo(nKey);
  if (pInfo != nullptr && pInfo->Key != nKey && pInfo->Key != FallbackOf(nKey)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  I3DRoleBaseData* pService = Service();
  if (pService == nullptr) return 0;
  FILE* pFile = fopen("ini/RoleTrace.ini", "wb");
  if (pFile == nullptr) return 0;
  fwrite(pData, 1, nSize, pFile);
  fclose(pFile);
  pService->Create();
  // Keys from the text (each line's first number) and from the raw bytes.
  const char* pch = reinterpret_cast<const char*>(pData);
  for (size_t i = 0; i < nSize; ++i) {
    if (i == 0 || pch[i - 1] == '\n') {
      char szNumber[24] = {0};
      size_t n = 0;
      while (i + n < nSize && n + 1 < sizeof(szNumber) && pch[i + n] != '\n') {
        szNumber[n] = pch[i + n];
        ++n;
      }
      Check(pService, strtoll(szNumber, nullptr, 10));
    }
  }
  for (size_t i = 0; i + 8 <= nSize && i < 64; i += 8) {
    int64_t nKey;
    memcpy(&nKey, pData + i, sizeof(nKey));
    Check(pService, nKey);
  }
  Check(pService, 10050003);
  return 0;
}
