#pragma once
// Records of the battle map, battle position and camera operations, read in place by the client:
// every field a plain 32-bit value unless noted, in the order given.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ZorString.h"

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

// One FighterPos line: the lookup pair, then six values.
struct FighterPos {
  int32_t nKey1;
  int32_t nKey2;
  int32_t nValue[6];
};
static_assert(sizeof(FighterPos) == 32 && offsetof(FighterPos, nValue) == 8,
              "FighterPos is the key pair and six 32-bit values");

// One StartPos line: the lookup pair, then three values.
struct BattleStartPos {
  int32_t nKey1;
  int32_t nKey2;
  int32_t nValue[3];
};
static_assert(sizeof(BattleStartPos) == 20 && offsetof(BattleStartPos, nValue) == 8,
              "BattleStartPos is the key pair and three 32-bit values");

// One ViewPos line, or the ViewStartPos (key pair 0, 0): the lookup pair, then four values.
struct BattleViewPos {
  int32_t nKey1;
  int32_t nKey2;
  int32_t nValue[4];
};
static_assert(sizeof(BattleViewPos) == 24 && offsetof(BattleViewPos, nValue) == 8,
              "BattleViewPos is the key pair and four 32-bit values");

// ini/3DBattleDive.ini: its first, second and third data line.
struct BattleDiveInfo {
  float fBlock1[9];
  float fBlock2[9];
  int32_t nValue[3];
};
static_assert(sizeof(BattleDiveInfo) == 84 && offsetof(BattleDiveInfo, fBlock2) == 36 &&
                  offsetof(BattleDiveInfo, nValue) == 72,
              "BattleDiveInfo is two nine-float blocks and three 32-bit values");

struct FighterPosOffset {
  int32_t x;
  int32_t y;
};
static_assert(sizeof(FighterPosOffset) == 8, "FighterPosOffset is two 32-bit values");

// The FighterPos lines of one group number, in file order, and the group's Torch values
// (0 until a Torch line sets them).
struct FighterGroup {
  int32_t nNumber;
  int32_t nTorch[4];
  std::vector<FighterPos> vecFighterPos;
};

// One section of ini/BattleMap.ini. The thirteen values come first, CenterWorld at the very
// start: GetBattlePos hands out the record itself as a BattlePos.
struct BattleMapInfo {
  BattlePos CenterWorld;
  BattlePos CenterCell;
  BattlePos UpArrayCellpos;
  BattlePos DownArrayCellpos;
  int32_t MaxScale;
  int32_t MinScale;
  int32_t DefScale;
  int32_t StartScale;
  int32_t DefAngle;
  int32_t StartAngle;
  int32_t RotaryAngle;
  int32_t CameraTime;
  int32_t TerraHigh;
  std::vector<BattleStartPos> vecStartPos;    // file order
  std::vector<FighterGroup> vecFighterGroup;  // in the order the groups were closed
};
static_assert(offsetof(BattleMapInfo, CenterWorld) == 0 &&
                  offsetof(BattleMapInfo, CenterCell) == 8 &&
                  offsetof(BattleMapInfo, UpArrayCellpos) == 16 &&
                  offsetof(BattleMapInfo, DownArrayCellpos) == 24 &&
                  offsetof(BattleMapInfo, MaxScale) == 32 &&
                  offsetof(BattleMapInfo, MinScale) == 36 &&
                  offsetof(BattleMapInfo, DefScale) == 40 &&
                  offsetof(BattleMapInfo, StartScale) == 44 &&
                  offsetof(BattleMapInfo, DefAngle) == 48 &&
                  offsetof(BattleMapInfo, StartAngle) == 52 &&
                  offsetof(BattleMapInfo, RotaryAngle) == 56 &&
                  offsetof(BattleMapInfo, CameraTime) == 60 &&
                  offsetof(BattleMapInfo, TerraHigh) == 64,
              "BattleMapInfo begins with its thirteen values");

// One ini/CameraTrack.ini line: the number (third column), then the track file's path.
struct CameraTrackInfo {
  int32_t nNumber;
  ZorString::CZorString strPath;
};
static_assert(offsetof(CameraTrackInfo, strPath) == alignof(ZorString::CZorString) &&
                  sizeof(ZorString::CZorString) == sizeof(char*),
              "CameraTrackInfo is the number, then the path's character pointer");

// 32 bytes of a track file, kept as read.
struct CameraTrackFrame {
  unsigned char abyData[32];
};
static_assert(sizeof(CameraTrackFrame) == 32, "a track frame is 32 bytes");

// A track's frames in file order.
using CameraTrackFrameList = std::vector<CameraTrackFrame>;
