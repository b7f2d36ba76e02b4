#pragma once
// A generated data set: a complete, well-formed ini/ folder of every table at a scale factor,
// for the load and query benchmarks. At scale 1 it is a few megabytes in the proportions of a
// real game (thousands of NPCs, regions and maps, tens of thousands of effect and sound words,
// a few hundred battle maps); every count grows linearly with the scale. The ".dat" tables are
// enciphered, comment lines and wildcard entries are sprinkled in where the formats allow, and
// the whole set loads without a single diagnostic.
//
// The keys follow fixed schemes (below), so that a benchmark knows which keys are listed, which
// fall back to a wildcard and which are absent without reading the files.
#include <cstddef>
#include <cstdint>
#include <string>

namespace KestrinBench {

// How many records of each table a data set of a scale holds.
struct DataSetShape {
  int nScale = 1;
  size_t nGameMaps = 0;
  size_t nRegions = 0;
  size_t nSoundEvents = 0;
  size_t nSoundRes = 0;
  size_t nTerrainNpcs = 0;
  size_t nBattleMaps = 0;  // sections 0 .. nBattleMaps - 1
  size_t nViewPos = 0;
  size_t nFighterOffsets = 0;
  size_t nCameraTracks = 0;
  size_t nNpcs = 0;
  size_t nStarLooks = 0;
  size_t nRolePartScales = 0;
  size_t n2DLooks = 0;
  size_t nHideEntries = 0;
  size_t nLookScales = 0;
  size_t nMountScales = 0;
  size_t nAppendentWeapons = 0;
  size_t nWeaponAdjusts = 0;
  size_t nEffectLooks = 0;  // looks of the effect tables: EFFECT_WEAPONS x EFFECT_ACTIONS each
  size_t nActionSoundLooks = 0;
  size_t nSimpleObjs = 0;
  size_t nRoleTraces = 0;
  size_t nRolePartReplaces = 0;
};

DataSetShape ShapeAtScale(int nScale);

// Writes the data set into strFolder (ini/, track/ and the marker file DATA_SET_MARKER with
// the scale). False, with the reason in *pError, when a file cannot be written.
bool WriteDataSet(const std::string& strFolder, int nScale, std::string* pError);

// The scale written into the marker file of a generated folder; 0 when there is none.
int ReadDataSetScale(const std::string& strFolder);

extern const char DATA_SET_MARKER[];

// Key schemes. Record i (from 0) of a table is listed under these numbers.
inline uint32_t GameMapId(size_t i) { return static_cast<uint32_t>(1000 + i); }
inline uint32_t RegionId(size_t i) { return static_cast<uint32_t>(1 + i); }
inline uint32_t RegionSecondId(size_t i) { return static_cast<uint32_t>(1000 + i / 3); }
inline uint32_t SoundEventId(size_t i) { return static_cast<uint32_t>(1 + i); }
std::string SoundResName(size_t i);
// Files of sound resource i: one, or for every third a few, one of which a query picks.
inline size_t SoundResFiles(size_t i) { return i % 3 == 0 ? 2 + (i / 3) % 3 : 1; }
inline int32_t TerrainNpcId(size_t i) { return static_cast<int32_t>(1001 + i); }
inline uint32_t FighterOffsetKey(size_t i) { return static_cast<uint32_t>(1 + i); }
std::string CameraTrackName(size_t i);
inline int32_t NpcType(size_t i) { return static_cast<int32_t>(1 + i); }
inline uint32_t SimpleObjId(size_t i) { return static_cast<uint32_t>(1 + i); }
inline int32_t RolePartReplaceKey(size_t i) { return static_cast<int32_t>(1001 + i); }
// Role part scale a.b, mount scale a.b, look scale, 2D look, appended weapon, adjustment.
inline uint32_t RolePartScalePart(size_t i) { return static_cast<uint32_t>(10 + i / 10); }
inline uint32_t RolePartScalePiece(size_t i) { return static_cast<uint32_t>(i % 10); }
inline uint32_t MountScaleMount(size_t i) { return static_cast<uint32_t>(1 + i / 8); }
inline uint32_t MountScaleLook(size_t i) { return static_cast<uint32_t>(1201 + i % 8); }
inline uint32_t LookScaleLook(size_t i) { return static_cast<uint32_t>(1000 + i); }
inline uint32_t Role2DLook(size_t i) { return static_cast<uint32_t>(5000 + 2 * i); }
inline uint32_t AppendentWeaponId(size_t i) { return static_cast<uint32_t>(400 + i); }
inline uint32_t AdjustWeapon(size_t i) { return static_cast<uint32_t>(400 + i / 6); }
inline uint32_t AdjustLook(size_t i) { return static_cast<uint32_t>(1201 + i % 6); }

// Role part hiding: entries [look.action.part.state]; every eighth look of the range is left
// out of the file and answered by the [999.action.part.state] entries.
inline uint32_t HideLook(size_t i) { return static_cast<uint32_t>(1000 + i / 4); }
inline uint32_t HideAction(size_t i) { return static_cast<uint32_t>(1 + i % 4); }
const uint32_t HIDE_PART = 3;
const uint32_t HIDE_STATE = 0;
inline bool HideLookListed(uint32_t nLook) { return nLook % 8 != 7; }

// 3D effects: looks 1000 + l, weapons 400 + w (w < EFFECT_WEAPONS), actions 100 + a
// (a < EFFECT_ACTIONS), level 1 listed exactly. Wildcards: look.weapon.100.999 for the first
// EFFECT_WILD_WEAPONS weapons of every look (asked with level 2, found by the eighth try), and
// 9999.weapon.action.1 for every weapon and action (asked by an unlisted look, second try).
// Actions 900 and above are listed nowhere.
const uint32_t EFFECT_FIRST_LOOK = 1000;
const uint32_t EFFECT_FIRST_WEAPON = 400;
const uint32_t EFFECT_FIRST_ACTION = 100;
const uint32_t EFFECT_WEAPONS = 20;
const uint32_t EFFECT_ACTIONS = 12;
const uint32_t EFFECT_WILD_WEAPONS = 5;
const uint32_t EFFECT_ABSENT_ACTION = 900;
const uint32_t EFFECT_ABSENT_LOOK = 9000;

// Action sounds a.b.c: looks 1000 + l, actions 1 .. ACTION_SOUND_ACTIONS, weapons 400 + w;
// a.999.c for every look and action answers the weapons listed nowhere.
const uint32_t ACTION_SOUND_WEAPONS = 8;
const uint32_t ACTION_SOUND_ACTIONS = 25;

// Role traces: keys a * 10000000 + b * 10000 + c in groups (a, c) of ROLE_TRACE_PER_GROUP
// records b = 0, 1, ... and the wildcard a.999.c; b from ROLE_TRACE_PER_GROUP on falls back to
// the wildcard. a stays below 200, where the query's 32-bit fallback key equals the file's.
inline int64_t RoleTraceKey(int64_t a, int64_t b, int64_t c) {
  return a * 10000000 + b * 10000 + c;
}
const size_t ROLE_TRACE_PER_GROUP = 30;
inline int64_t RoleTraceA(size_t nGroup) { return 1 + static_cast<int64_t>(nGroup % 200); }
inline int64_t RoleTraceC(size_t nGroup) { return static_cast<int64_t>(nGroup / 200); }

}  // namespace KestrinBench
