// The region.ini reader on any bytes: it always reaches the end of the image, reads nothing
// outside it and keeps only whole records with zero-terminated texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"
#include "WorldReaders.h"

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const char* pBegin = reinterpret_cast<const char*>(pData);
  RegionList list;
  ReadRegionRecords(pBegin, pBegin + nSize, "ini/region.ini", list);
  // A record is 18 fields of one character at least ("7S" is two fields).
  if (list.size() * 18 > nSize) std::abort();
  for (const RegionInfo& info : list) {
    if (memchr(info.Name, 0, sizeof(info.Name)) == nullptr ||
        memchr(info.Text9, 0, sizeof(info.Text9)) == nullptr ||
        memchr(info.Text18, 0, sizeof(info.Text18)) == nullptr)
      std::abort();
  }
  return 0;
}
