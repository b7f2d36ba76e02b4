// One table family at a time through the module: the first byte picks the family (FAMILIES, in
// the order of FuzzSupport::Pick); the rest is cut as a module input (ModuleInput.h) whose
// pieces are the family's files in the order listed, then the calls, then the track files. The
// other files are absent and the calls ask only the family's operations.
#include <string_view>

#include "ModuleRun.h"

namespace {

struct Family {
  std::vector<size_t> vecFiles;  // indexes into ModuleInput::FILES
  std::vector<int> vecOperations;
};

const Family FAMILIES[] = {
    // Appearance: NPCs, star looks, part scales and hiding, looks, mounts, weapons, objects.
    {{10, 11, 12, 13, 14, 15, 16, 17, 18, 22, 24}, {48, 49, 50, 51, 52, 53, 54, 55, 56, 60, 62}},
    // Cameras: capture cameras, the dive (vanishing too), fighter offsets, tracks.
    {{6, 7, 9, 8}, {34, 35, 36, 38, 46, 47, 66, 67}},
    // Effects and sound, on the stand-in managers.
    {{19, 20, 21, 2, 3}, {7, 8, 9, 10, 12, 13, 14, 15, 16, 18, 19, 20, 57, 58, 59, 63, 64, 65}},
    {{23}, {61}},                                                         // role traces
    {{5}, {22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 37, 39, 40}},  // battle maps
    {{0, 4}, {1, 2, 3, 21}},  // game maps and terrain NPCs
    {{1}, {4, 5, 6}},         // regions
};

}  // namespace

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  if (nSize == 0) return 0;
  const Family& family = FAMILIES[FuzzSupport::Pick(pData[0], std::size(FAMILIES))];
  std::vector<std::string> vecInput =
      ModuleInput::Split(std::string_view(reinterpret_cast<const char*>(pData) + 1, nSize - 1));
  std::vector<std::string> vecPieces(ModuleInput::FILE_COUNT, ModuleInput::PIECE_ABSENT);
  size_t nNext = 0;
  for (size_t nFile : family.vecFiles) {
    if (nNext < vecInput.size()) vecPieces[nFile] = vecInput[nNext++];
  }
  vecPieces.insert(vecPieces.end(), vecInput.begin() + nNext, vecInput.end());  // calls, tracks
  RunModule(std::move(vecPieces), family.vecOperations);
  return 0;
}
