#pragma once
// Containers of the battle maps, view positions, fighter offsets and camera tracks.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "I3DRoleBaseData.h"

using BattleMapTable = std::map<uint32_t, BattleMapInfo*>;
using BattleViewPosList = std::vector<BattleViewPos*>;
using FighterPosOffsetTable = std::map<uint32_t, FighterPosOffset*>;
using CameraTrackTable = std::map<std::string, CameraTrackInfo>;
using CameraTrackFrameTable = std::map<std::string, CameraTrackFrameList*>;
