#pragma once
// Records of the game map catalogue, the regions and the terrain NPCs, read in place by the client.
#include <cstdint>
#include <vector>

// Laid out by the world map tables.
struct GameMapInfo {
  int32_t nPlaceholder;
};
struct RegionInfo {
  int32_t nPlaceholder;
};
// The region list in file order, handed out whole by GetRegionList.
using RegionList = std::vector<RegionInfo>;
struct TerrainNpcInfo {
  int32_t nPlaceholder;
};
