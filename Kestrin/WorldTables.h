#pragma once
// Containers of the game map catalogue, the regions and the terrain NPCs.
#include <cstdint>
#include <map>
#include <vector>

#include "I3DRoleBaseData.h"

using GameMapTable = std::map<uint32_t, GameMapInfo>;
using TerrainNpcList = std::vector<TerrainNpcInfo>;
