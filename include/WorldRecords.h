#pragma once
// Records of the game map catalogue, the regions and the terrain NPCs, read in place by the client.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "RecordString.h"
#include "ZorString.h"

// One map of the catalogue ini/GameMap.dat, in the order of its fields in memory (the keys of a
// section are read in another order: Oblique before Light). A new record is all zero, false
// and empty.
struct GameMapInfo {
  ZorString::CZorString File;  // empty for File=NULL
  int32_t PuzzleGridSize = 0;
  int32_t Light = 0;  // 1 or 0
  int32_t Oblique = 0;
  float LightDirX = 0.0f;
  float LightDirY = 0.0f;
  float LightDirZ = 0.0f;
  uint32_t Diffuse = 0;  // colours, from hexadecimal text
  uint32_t Ambient = 0;
  bool Switch = false;
  ZorString::CZorString DaySound;
  ZorString::CZorString NightSound;
  uint32_t Day = 0;  // the four day-phase colours
  uint32_t Nightfall = 0;
  uint32_t Night = 0;
  uint32_t Dawn = 0;
  int32_t Jump = 0;
  std::vector<uint32_t> Limit;
};

namespace WorldRecordLayout {
constexpr size_t AlignUp(size_t nOffset, size_t nAlign) {
  return (nOffset + nAlign - 1) / nAlign * nAlign;
}
constexpr size_t STRING_SIZE = sizeof(ZorString::CZorString);
constexpr size_t STRING_ALIGN = alignof(ZorString::CZorString);
}  // namespace WorldRecordLayout

static_assert(std::is_standard_layout<GameMapInfo>::value, "GameMapInfo is read in place");
static_assert(WorldRecordLayout::STRING_SIZE == sizeof(char*), "CZorString is one pointer");
static_assert(offsetof(GameMapInfo, PuzzleGridSize) == WorldRecordLayout::STRING_SIZE,
              "GameMapInfo: PuzzleGridSize follows File");
static_assert(offsetof(GameMapInfo, Oblique) == offsetof(GameMapInfo, PuzzleGridSize) + 8,
              "GameMapInfo: Light before Oblique");
static_assert(offsetof(GameMapInfo, Switch) == offsetof(GameMapInfo, PuzzleGridSize) + 32,
              "GameMapInfo: eight 32-bit fields before Switch");
static_assert(offsetof(GameMapInfo, DaySound) ==
                  WorldRecordLayout::AlignUp(offsetof(GameMapInfo, Switch) + 1,
                                             WorldRecordLayout::STRING_ALIGN),
              "GameMapInfo: DaySound follows the one-byte Switch");
static_assert(offsetof(GameMapInfo, Day) ==
                  offsetof(GameMapInfo, DaySound) + 2 * WorldRecordLayout::STRING_SIZE,
              "GameMapInfo: NightSound, then Day");
static_assert(offsetof(GameMapInfo, Jump) == offsetof(GameMapInfo, Day) + 16,
              "GameMapInfo: four phase colours before Jump");
static_assert(offsetof(GameMapInfo, Limit) ==
                  WorldRecordLayout::AlignUp(offsetof(GameMapInfo, Jump) + 4,
                                             alignof(std::vector<uint32_t>)),
              "GameMapInfo: Limit last");

// One record of ini/region.ini. The fields are not in the file's column order: column 3 follows
// columns 4 and 5, and column 16 comes before column 15. Texts are zero-terminated.
struct RegionInfo {
  uint32_t Id;        // column 1
  uint32_t SecondId;  // column 2
  uint32_t Value4;
  uint32_t Value5;
  uint32_t Value3;
  uint32_t Value6;
  uint32_t Value7;
  uint32_t Value10;
  uint32_t Value11;
  uint32_t Value12;
  uint32_t Value13;
  char Name[32];   // column 8, at most 31 characters
  char Text9[40];  // at most 39 characters
  int32_t Signed14;
  int32_t Signed16;
  int32_t Signed15;
  int32_t Signed17;
  char Text18[256];  // at most 255 characters
};
static_assert(offsetof(RegionInfo, Value3) == 16, "RegionInfo: column 3 after columns 4 and 5");
static_assert(offsetof(RegionInfo, Value13) == 40, "RegionInfo: eleven numbers first");
static_assert(offsetof(RegionInfo, Name) == 44, "RegionInfo: Name after the numbers");
static_assert(offsetof(RegionInfo, Text9) == 76, "RegionInfo: Name is 32 bytes");
static_assert(offsetof(RegionInfo, Signed14) == 116, "RegionInfo: Text9 is 40 bytes");
static_assert(offsetof(RegionInfo, Signed15) == 124, "RegionInfo: column 16 before column 15");
static_assert(offsetof(RegionInfo, Text18) == 132, "RegionInfo: four signed numbers");
static_assert(sizeof(RegionInfo) == 388, "RegionInfo is 388 bytes");

// The region list in file order, handed out whole by GetRegionList.
using RegionList = std::vector<RegionInfo>;

// One terrain NPC of ini/TerrainNpc.dat with its eight direction texts in file order. Each text
// has the Microsoft std::string layout (RecordString.h) and the array the layout of a std::vector
// (three pointers), so that a client built by the Microsoft compiler reads Dirs as its own
// std::vector<std::string>.
struct TerrainNpcInfo {
  int32_t Id;
  char Name[32];  // zero-terminated, at most 31 characters
  std::vector<CRecordString> Dirs;
};
static_assert(std::is_standard_layout<TerrainNpcInfo>::value, "TerrainNpcInfo is read in place");
static_assert(offsetof(TerrainNpcInfo, Name) == 4, "TerrainNpcInfo: Name follows Id");
static_assert(offsetof(TerrainNpcInfo, Dirs) == (36 + alignof(std::vector<CRecordString>) - 1) /
                                                    alignof(std::vector<CRecordString>) *
                                                    alignof(std::vector<CRecordString>),
              "TerrainNpcInfo: Dirs follows the 32-byte Name");
