// Track file images of any shape: the frames are the file's bytes after the count, as many
// as the count promises and the file holds, and a huge count costs no more than the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "BattleTables.h"
#include "FuzzSupport.h"

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  std::string_view image(reinterpret_cast<const char*>(pData), nSize);
  std::unique_ptr<CameraTrackFrameList> pFrames = ReadCameraTrackFile(image, "fuzz.trk");
  uint32_t nCount = 0;
  if (nSize >= 4) nCount = pData[0] | pData[1] << 8 | pData[2] << 16 | uint32_t(pData[3]) << 24;
  if ((nCount == 0) != (pFrames == nullptr)) abort();
  if (pFrames == nullptr) return 0;
  size_t nHeld = (nSize - 4) / 32;
  if (pFrames->size() != (nCount < nHeld ? nCount : nHeld)) abort();
  if (pFrames->capacity() > nHeld + 1) abort();
  if (!pFrames->empty() && memcmp(pFrames->data(), pData + 4, pFrames->size() * 32) != 0) abort();
  return 0;
}
