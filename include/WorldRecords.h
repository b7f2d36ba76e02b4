#pragma once
// Records of the game map catalogue, the regions and the terrain NPCs, read in place by the client.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Laid out by the world map tables.
struct GameMapInfo {
  int32_t nPlaceholder;
};

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

// One terrain NPC of ini/TerrainNpc.dat with its eight direction texts in file order.
struct TerrainNpcInfo {
  int32_t Id;
  char Name[32];  // zero-terminated, at most 31 characters
  std::vector<std::string> Dirs;
};
static_assert(offsetof(TerrainNpcInfo, Name) == 4, "TerrainNpcInfo: Name follows Id");
static_assert(offsetof(TerrainNpcInfo, Dirs) ==
                  (36 + alignof(std::vector<std::string>) - 1) / alignof(std::vector<std::string>) *
                      alignof(std::vector<std::string>),
              "TerrainNpcInfo: Dirs follows the 32-byte Name");
