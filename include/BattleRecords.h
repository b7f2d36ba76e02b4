#pragma once
// Records of the battle map, battle position and camera operations, read in place by the client.
#include <cstdint>
#include <vector>

struct BattlePos {
  int32_t x;
  int32_t y;
};
static_assert(sizeof(BattlePos) == 8, "BattlePos is two 32-bit values");

// Target point, eye point and eye rotation, three floats each.
struct BattleCamera {
  float fTarget[3];
  float fEye[3];
  float fRotation[3];
};
static_assert(sizeof(BattleCamera) == 36, "BattleCamera is nine 32-bit floats");

// Laid out by the battle map tables.
struct BattleViewPos {
  int32_t aField[6];
};
struct BattleDiveInfo {
  int32_t nPlaceholder;
};
struct FighterPos {
  int32_t nPlaceholder;
};
struct BattleStartPos {
  int32_t nPlaceholder;
};
struct FighterPosOffset {
  int32_t nPlaceholder;
};
struct BattleMapInfo {
  int32_t nPlaceholder;
};
struct CameraTrackInfo {
  int32_t nPlaceholder;
};
struct CameraTrackFrame {
  int32_t nPlaceholder;
};
using CameraTrackFrameList = std::vector<CameraTrackFrame>;
