#pragma once
// The whole-module fuzz input: one complete data folder and the client's calls, as one byte
// string. Pieces are cut at SEPARATOR; inside a piece ESCAPE takes the next byte as it is, so
// any file (a binary track file too) can be carried:
//
//   piece 0 .. FILE_COUNT-1   the files of FILES, in that order (".dat" tables as plain text,
//                             enciphered when written)
//   piece FILE_COUNT          the calls: operations and their arguments
//   piece FILE_COUNT+1 ...    the track files, in the order ini/CameraTrack.ini names them
//
// A piece that is exactly PIECE_ABSENT leaves its file out, PIECE_FOLDER puts a folder in its
// place; a file without any piece is absent too. The packer (seed/ModuleSeed.cpp) makes a
// seed of this form from a data folder.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace ModuleInput {

const char SEPARATOR = '\x01';
const char ESCAPE = '\x1B';
const char PIECE_ABSENT[] = "\x02";
const char PIECE_FOLDER[] = "\x03";

struct TableFile {
  const char* pszPath;
  bool bEnciphered;
};

// Every file the module reads, in the order of loading; then the crash report's two.
const TableFile FILES[] = {
    {"ini/GameMap.dat", true},         {"ini/region.ini", false},
    {"ini/SoundEvent.ini", false},     {"ini/SoundRes.ini", false},
    {"ini/TerrainNpc.dat", true},      {"ini/BattleMap.ini", false},
    {"ini/CaptureCamera.ini", false},  {"ini/3DBattleDive.ini", false},
    {"ini/FighterPosOffset.ini", false}, {"ini/CameraTrack.ini", false},
    {"ini/Npc.ini", false},            {"ini/NpcX.ini", false},
    {"ini/RolePartScale.ini", false},  {"ini/2DRoleLook.ini", false},
    {"ini/RolePartHide.ini", false},   {"ini/LookScale.ini", false},
    {"ini/MountScale.ini", false},     {"ini/AppendentWeapon.ini", false},
    {"ini/WeaponAdjustByLook.ini", false}, {"ini/RoleWeapon3DEffect.ini", false},
    {"ini/Action3DEffect.ini", false}, {"ini/ActionSound.ini", false},
    {"ini/SimpleObjInfo.ini", false},  {"ini/RoleTrace.ini", false},
    {"ini/RolePartReplace.ini", false}, {"ini/GameSetup.ini", false},
    {"version.dat", false},
};
const size_t FILE_COUNT = sizeof(FILES) / sizeof(FILES[0]);
const size_t CALLS_PIECE = FILE_COUNT;
const size_t FIRST_TRACK_PIECE = FILE_COUNT + 1;
// The index of ini/CameraTrack.ini and of ini/RolePartReplace.ini in FILES.
const size_t CAMERA_TRACK_INDEX = 9;
const size_t ROLE_PART_REPLACE_INDEX = 24;
// At most this many track files are carried.
const size_t TRACK_MAX = 8;

inline std::string Escape(std::string_view bytes) {
  std::string strOut;
  strOut.reserve(bytes.size());
  for (char ch : bytes) {
    if (ch == SEPARATOR || ch == ESCAPE) strOut += ESCAPE;
    strOut += ch;
  }
  return strOut;
}

// The pieces of an input, unescaped. An escape at the very end stands for nothing.
inline std::vector<std::string> Split(std::string_view input) {
  std::vector<std::string> vecPieces(1);
  for (size_t i = 0; i < input.size(); ++i) {
    char ch = input[i];
    if (ch == SEPARATOR) {
      vecPieces.emplace_back();
    } else if (ch == ESCAPE) {
      if (++i < input.size()) vecPieces.back() += input[i];
    } else {
      vecPieces.back() += ch;
    }
  }
  return vecPieces;
}

// The track file paths that ini/CameraTrack.ini names, each once, in the order of its lines:
// lines "name path number"; note lines (first character '/', ';' or a line end) and lines
// without the three words are passed over.
inline std::vector<std::string> TrackPaths(std::string_view text) {
  std::vector<std::string> vecPaths;
  std::istringstream lines{std::string(text)};
  for (std::string strLine; std::getline(lines, strLine) && vecPaths.size() < TRACK_MAX;) {
    std::istringstream words(strLine);
    std::string strName, strPath, strNumber;
    if (strLine.empty() || strchr("/;\r", strLine[0]) != nullptr ||
        !(words >> strName >> strPath >> strNumber)) {
      continue;
    }
    size_t nDigit = strNumber[0] == '-' || strNumber[0] == '+' ? 1 : 0;
    if (nDigit >= strNumber.size() || !isdigit(static_cast<unsigned char>(strNumber[nDigit]))) {
      continue;
    }
    if (std::find(vecPaths.begin(), vecPaths.end(), strPath) == vecPaths.end()) {
      vecPaths.push_back(strPath);
    }
  }
  return vecPaths;
}

}  // namespace ModuleInput
