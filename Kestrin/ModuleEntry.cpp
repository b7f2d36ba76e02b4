// The module's exports: the one service, created in storage from the application utility's
// memory service and given back to it.
#include <new>

#include "3DRoleBaseData.h"
#include "ZorAppUtil.h"

extern "C" {
KESTRIN_API extern const int32_t CAMERA_MAX_SCALE = 384;
KESTRIN_API extern const int32_t CAMERA_NORMAL_SCALE = 256;
}

namespace {

// The line the memory service is told for the service's storage.
const int32_t SERVICE_LINE = 22;

C3DRoleBaseData* g_pService = nullptr;

// Asked once when the module is loaded; nothing reads it afterwards.
const uint32_t g_nTracerChannel = QueryZorTracer().OpenChannel("RES_SYN");

}  // namespace

extern "C" KESTRIN_API I3DRoleBaseData* RoleBaseDataQuery() {
  if (g_pService != nullptr) return g_pService;
  (void)g_nTracerChannel;
  IZorMemory* pMemory = IZorAppUtil::GetInstance().GetMemory();
  void* pStorage = pMemory->Alloc(sizeof(C3DRoleBaseData), SERVICE_SOURCE, SERVICE_LINE);
  if (pStorage == nullptr) return nullptr;
  // Some empty tables take memory already: without it there is no service, as without storage.
  try {
    g_pService = new (pStorage) C3DRoleBaseData();
  } catch (const std::bad_alloc&) {
    pMemory->Free(pStorage);
    return nullptr;
  }
  return g_pService;
}

extern "C" KESTRIN_API void RoleBaseDataDestroy() {
  if (g_pService != nullptr) g_pService->~C3DRoleBaseData();
  IZorAppUtil::GetInstance().GetMemory()->Free(g_pService);
  g_pService = nullptr;
}
