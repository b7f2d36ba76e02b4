#pragma once
// Containers of the battle maps, view positions, fighter offsets and camera tracks.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "I3DRoleBaseData.h"

// Section number to battle map. Only looked up (exactly, or map 0 in its place), never
// walked in order, so hashed.
using BattleMapTable = std::unordered_map<uint32_t, std::unique_ptr<BattleMapInfo>>;
// ViewPos lines in file order.
using BattleViewPosList = std::vector<BattleViewPos>;
// Key to offset; nodes keep their place, so handed-out pointers survive later inserts.
using FighterPosOffsetTable = std::unordered_map<uint32_t, FighterPosOffset>;
// Track name to its ini/CameraTrack.ini entry, and to the frames read from its track file.
// Byte-wise ordered by name; std::less<> finds a name without copying it.
using CameraTrackTable = std::map<std::string, CameraTrackInfo, std::less<>>;
using CameraTrackFrameTable =
    std::map<std::string, std::unique_ptr<CameraTrackFrameList>, std::less<>>;

// What ini/BattleMap.ini fills: the maps and the settings that belong to no single map.
struct BattleMapTarget {
  BattleMapTable& mapBattleMap;
  BattleViewPosList& vecViewPos;
  BattleViewPos& viewStartPos;
  BattleCamera& battleCamera;
  BattleCamera& battleMoveCamera;
};

// Reads the text of ini/BattleMap.ini (as its text stream delivers it) into the target:
// sections replace maps of the same number, view positions are appended, the view start
// position and the cameras are overwritten by the keys present. Bad lines are logged as the
// loader's assertions and skipped.
void ReadBattleMapText(std::string_view text, const BattleMapTarget& target);

// The frames of a track file image: a little-endian 32-bit count, then 32 bytes per frame.
// Null when the count cannot be read or is 0. A file shorter than its count logs the format
// message with the path and gives the frames it holds.
std::unique_ptr<CameraTrackFrameList> ReadCameraTrackFile(std::string_view image,
                                                          const char* pszPath);
