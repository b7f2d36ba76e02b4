// The whole module as the client meets it: every table file, every operation.
#include <string_view>

#include "ModuleRun.h"

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  RunModule(ModuleInput::Split(std::string_view(reinterpret_cast<const char*>(pData), nSize)), {});
  return 0;
}
