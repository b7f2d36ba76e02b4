// ini/RoleTrace.ini of any bytes, loaded as the client loads it, then queried: no crash and no
// read outside a buffer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"

namespace {

const char TRACE_FILE[] = "ini/RoleTrace.ini";

// The service, in a work folder with an ini folder of its own.
I3DRoleBaseData* Service() {
  static I3DRoleBaseData* s_pData = (FuzzSupport::EnterIniFolder(), RoleBaseDataQuery());
  return s_pData;
}

volatile int64_t g_nSink;

void Check(I3DRoleBaseData* pData, int64_t nKey) {
  if (const RoleTraceInfo* pInfo = pData->GetRoleTraceInfo(nKey)) g_nSink = pInfo->Key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  I3DRoleBaseData* pService = Service();
  if (pService == nullptr) return 0;
  // A new file each time: truncating one in place makes the file system flush it on close.
  std::remove(TRACE_FILE);
  FuzzSupport::WriteInput(TRACE_FILE, pData, nSize);
  pService->Create();
  // Keys from the text (each line's first number) and from the raw bytes.
  const char* pch = reinterpret_cast<const char*>(pData);
  for (size_t i = 0; i < nSize; ++i) {
    if (i != 0 && pch[i - 1] != '\n') continue;
    char szNumber[24] = {0};
    for (size_t n = 0; i + n < nSize && n + 1 < sizeof(szNumber) && pch[i + n] != '\n'; ++n) {
      szNumber[n] = pch[i + n];
    }
    Check(pService, strtoll(szNumber, nullptr, 10));
  }
  for (size_t i = 0; i + 8 <= nSize && i < 64; i += 8) {
    int64_t nKey;
    memcpy(&nKey, pData + i, sizeof(nKey));
    Check(pService, nKey);
  }
  Check(pService, 10050003);
  return 0;
}
