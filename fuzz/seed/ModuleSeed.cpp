// Packs a data folder into one input of the whole-module fuzz target (ModuleInput.h):
//
//   module_seed <data folder> <output file>
//
// Every table file of the folder, its ".dat" files deciphered to their plain text, a fixed run
// of calls, and the track files that its ini/CameraTrack.ini names. A file the folder lacks is
// marked absent.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "ModuleInput.h"
#include "ZorEncryptFile.h"

namespace {

bool ReadWhole(const std::string& strPath, std::string& strBytes) {
  std::ifstream in(strPath, std::ios::binary);
  if (!in) return false;
  strBytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// The plain text of a file; false when it cannot be read (or an enciphered file is empty).
bool ReadTable(const std::string& strPath, bool bEnciphered, std::string& strText) {
  if (!bEnciphered) return ReadWhole(strPath, strText);
  ZorGameBase::CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  if (!file.Open(strPath.c_str())) return false;
  strText.assign(file.GetBuffer(), static_cast<size_t>(file.GetSize()));
  return true;
}

// A fixed run of calls: bytes of the classic generator, so every seed asks the same way.
std::string Calls() {
  std::string strCalls;
  uint32_t nState = 6142;
  for (int i = 0; i < 2048; ++i) {
    nState = nState * 214013u + 2531011u;
    strCalls += static_cast<char>((nState >> 16) & 0xFF);
  }
  return strCalls;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: module_seed <data folder> <output file>\n");
    return 2;
  }
  std::string strFolder = std::string(argv[1]) + "/";
  std::string strSeed;
  std::string strTracks;
  for (size_t i = 0; i < ModuleInput::FILE_COUNT; ++i) {
    const ModuleInput::TableFile& file = ModuleInput::FILES[i];
    std::string strText;
    bool bRead = ReadTable(strFolder + file.pszPath, file.bEnciphered, strText);
    if (i > 0) strSeed += ModuleInput::SEPARATOR;
    strSeed += bRead ? ModuleInput::Escape(strText) : std::string(ModuleInput::PIECE_ABSENT);
    if (i == ModuleInput::CAMERA_TRACK_INDEX && bRead) strTracks = strText;
  }
  strSeed += ModuleInput::SEPARATOR;
  strSeed += ModuleInput::Escape(Calls());
  for (const std::string& strPath : ModuleInput::TrackPaths(strTracks)) {
    std::string strTrack;
    bool bRead = ReadWhole(strFolder + strPath, strTrack);
    strSeed += ModuleInput::SEPARATOR;
    strSeed += bRead ? ModuleInput::Escape(strTrack) : std::string(ModuleInput::PIECE_ABSENT);
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(strSeed.data(), static_cast<std::streamsize>(strSeed.size()));
  if (!out) {
    fprintf(stderr, "module_seed: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
