#pragma once
// Containers of the battle maps, view positions, fighter offsets and camera tracks.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "HashedTable.h"
#include "I3DRoleBaseData.h"

// Section number to battle map. Only looked up (exactly, or map 0 in its place), never
// walked in order, so hashed; a later section of a number replaces the map in place.
using BattleMapTable = CLookupTable<uint32_t, BattleMapInfo>;
// ViewPos lines in file order. A later load appends, and the entries handed out keep their
// addresses until the service ends.
using BattleViewPosList = std::deque<BattleViewPos>;
// Key to offset; a later line of a key replaces the offset in place, so handed-out pointers
// survive later loads.
using FighterPosOffsetTable = CLookupTable<uint32_t, FighterPosOffset>;
// Track name (bytes as written) to its ini/CameraTrack.ini entry, the first line of a name
// standing, and to the frames read from its track file. Only looked up, so hashed.
using CameraTrackTable = CNamedTable<CameraTrackInfo>;
using CameraTrackFrameTable = CNamedTable<std::unique_ptr<CameraTrackFrameList>>;

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
