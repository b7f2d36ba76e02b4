#pragma once
// The base-data service as the game client sees it.
//
//   I3DRoleBaseData* pData = RoleBaseDataQuery();   // creates the one service
//   pData->Create();                                 // loads every table under ini/
//   float fScale = pData->GetLookScale(1201);        // ... any query, any number of times
//   RoleBaseDataDestroy();                           // every pointer handed out dies here
//
// Clients bind to the operations by their place in the table of virtual operations: the order
// below is binary interface and never changes. Pointers point into the service; the client
// reads them in place, never frees them, and they live until RoleBaseDataDestroy or until their
// table is loaded again. Nothing throws. One thread at a time.

#include <cstdint>

#include "BattleRecords.h"
#include "RoleRecords.h"
#include "RoleTraceRecords.h"
#include "SoundRecords.h"
#include "WorldRecords.h"

// The shipping platform's compiler returns a record from a member function through a pointer
// the caller passes, where GNU compilers for Windows use registers: on those, the one operation
// that returns a record by value takes that pointer explicitly, so that both meet in the table.
#if defined(_WIN32) && defined(__GNUC__)
#define KESTRIN_RECORD_RESULT_BY_POINTER 1
#else
#define KESTRIN_RECORD_RESULT_BY_POINTER 0
#endif

class I3DRoleBaseData {
 public:
  // Loads every table; 1 when ini/RolePartReplace.ini could be opened, else 0.
  virtual int32_t Create() = 0;  // slot 0

  // Game map catalogue. The enumeration answers 0 at its end and leaves the outputs untouched.
  virtual const GameMapInfo* GetGameMapInfo(uint32_t nMapId) = 0;
  virtual int32_t GetFirstGameMapInfo(uint32_t* pMapId, const GameMapInfo** ppInfo) = 0;
  virtual int32_t GetNextGameMapInfo(uint32_t* pMapId, const GameMapInfo** ppInfo) = 0;

  // Regions, in file order; the first record wins.
  virtual const RegionInfo* GetRegionInfo(uint32_t nSecondId) = 0;
  virtual const RegionList* GetRegionList() = 0;  // never null
  virtual const char* GetRegionName(uint32_t nId) = 0;

  // Sound playback on the client's sound manager.
  virtual bool PlaySound(const char* pszName, uint32_t nPlayArg, uint32_t nReserved,
                         bool bRestart) = 0;  // slot 7
  virtual bool UpdateSoundAt(const char* pszName, int32_t x, int32_t y, int32_t nRadius,
                             uint32_t nPlayArg, bool bRestart) = 0;
  virtual bool StopSound(const char* pszName) = 0;
  virtual uint32_t GetSoundVolume(int32_t x, int32_t y, int32_t nRadius,
                                  int32_t nSilentWithoutFading) = 0;
#if KESTRIN_RECORD_RESULT_BY_POINTER
  // Slot 11 as the shipping compiler lays it out: the caller passes where the record goes and
  // gets that pointer back. The plain form below calls it.
  virtual ListenerPos* GetListenerPos(ListenerPos* pResult) = 0;
  ListenerPos GetListenerPos() {
    ListenerPos pos{};
    GetListenerPos(&pos);
    return pos;
  }
#else
  virtual ListenerPos GetListenerPos() = 0;
#endif
  virtual const char* GetSoundEventName(uint32_t nEventId) = 0;
  virtual bool PlaySoundEvent(uint32_t nEventId, uint32_t nPlayArg, uint32_t nReserved) = 0;
  virtual void SetSoundSwitch(int32_t nOn) = 0;
  virtual void SetSoundVolume(int32_t nVolume) = 0;
#if defined(_MSC_VER)
  // The Microsoft ABI gathers the overloads of one name at the first one's place and gives
  // them slots in the reverse of their declaration order: declared the other way round here,
  // the two still land in slots 16 (two integers) and 17 (a ListenerPos).
  virtual void SetListenerPos(const ListenerPos& pos) = 0;       // slot 17
  virtual void SetListenerPos(int32_t x, int32_t y) = 0;         // slot 16
#else
  virtual void SetListenerPos(int32_t x, int32_t y) = 0;         // slot 16
  virtual void SetListenerPos(const ListenerPos& pos) = 0;       // slot 17
#endif
  virtual bool PlaySoundAt(const char* pszName, int32_t x, int32_t y, int32_t nRadius,
                           uint32_t nPlayArg, bool bRestart) = 0;
  virtual void SetDistanceFading(int32_t nOn) = 0;
  // One file of the sound resource; the name itself when there is no such resource.
  virtual const char* GetSoundFile(const char* pszName) = 0;  // slot 20

  // Terrain NPCs: the first record when the id is absent; null when the table is empty.
  virtual const TerrainNpcInfo* GetTerrainNpcInfo(int32_t nId) = 0;

  // Battle positions; map 0 stands in for a battle map that is not listed.
  virtual const BattlePos* GetBattlePos(uint32_t nMapId, int32_t nIndex) = 0;  // slot 22
  virtual int32_t GetBattleRotaryAngle(uint32_t nMapId) = 0;   // 0 when no map
  virtual int32_t GetBattleCameraTime(uint32_t nMapId) = 0;    // 1000 when no map
  virtual int32_t GetBattleTorch1(uint32_t nMapId, int32_t nGroupNo) = 0;  // -1 when none
  virtual int32_t GetBattleTorch2(uint32_t nMapId, int32_t nGroupNo) = 0;
  virtual int32_t GetBattleTorch3(uint32_t nMapId, int32_t nGroupNo) = 0;
  virtual int32_t GetBattleTorch4(uint32_t nMapId, int32_t nGroupNo) = 0;
  virtual const BattleViewPos* GetBattleViewPos(int32_t nKey1, int32_t nKey2) = 0;
  virtual const BattleViewPos* GetBattleViewStartPos() = 0;    // never null
  virtual const BattlePos* GetBattleArrayCellPos(int32_t nSide) = 0;  // never null
  virtual const BattleCamera* GetBattleCamera() = 0;           // never null
  virtual const BattleCamera* GetBattleMoveCamera() = 0;       // never null
  virtual const BattleCamera* GetCaptureCamera1() = 0;         // null until loaded
  virtual const BattleCamera* GetCaptureCamera2() = 0;
  virtual const BattleDiveInfo* GetBattleDiveInfo() = 0;       // reads its file on every call
  virtual const FighterPos* GetFighterPos(uint32_t nMapId, int32_t nKey1, int32_t nKey2,
                                          int32_t nGroupNo) = 0;
  virtual const FighterPosOffset* GetFighterPosOffset(uint32_t nKey) = 0;
  virtual const BattleStartPos* GetBattleStartPos(uint32_t nMapId, int32_t nKey1,
                                                  int32_t nKey2) = 0;
  virtual const BattleMapInfo* GetBattleMapInfo(uint32_t nMapId) = 0;  // slot 40

  // Two values the client parks in the service; 0 until set. Create does not touch them.
  virtual void SetStoredValue1(int32_t nValue) = 0;  // slot 41
  virtual int32_t GetStoredValue1() = 0;
  virtual void SetStoredValue2(int32_t nValue) = 0;
  virtual int32_t GetStoredValue2() = 0;
  virtual void ClearStoredValues() = 0;  // slot 45

  // Camera tracks; the frames are read from the track's file on first demand and kept.
  virtual const CameraTrackInfo* GetCameraTrackInfo(const char* pszName) = 0;
  virtual const CameraTrackFrameList* GetCameraTrackFrames(const char* pszName) = 0;

  // NPC definitions: the smallest type stands in for an absent one; null when empty.
  virtual const NpcInfo* GetNpcInfo(int32_t nType) = 0;  // slot 48
  virtual const NpcStarLookInfo* GetNpcStarLookInfo(int32_t nType) = 0;

  virtual int32_t IsRolePartHidden(uint32_t k1, uint32_t k2, uint32_t k3, uint32_t k4,
                                   uint32_t nValue, const char* pszPartName) = 0;
  // Scales: 1.0 when not listed.
  virtual float GetRolePartScale(uint32_t a, uint32_t b) = 0;
  virtual float GetLookScale(uint32_t nLook) = 0;
  virtual float GetMountScale(uint32_t a, uint32_t b) = 0;
  virtual bool Is2DRoleLook(uint32_t nLook) = 0;
  virtual uint32_t GetAppendentWeapon(uint32_t nWeaponId) = 0;  // 0 when not listed
  // The weapon itself when no adjustment is listed.
  virtual uint32_t GetWeaponAdjustByLook(uint32_t nWeapon, uint32_t nLook) = 0;
  // Effect and sound names, after their wildcard tries; null when none.
  virtual const char* GetAction3DEffect(uint32_t a, uint32_t b, uint32_t c, uint32_t d) = 0;
  virtual const char* GetRoleWeapon3DEffect(uint32_t a, uint32_t b, uint32_t c,
                                            uint32_t d) = 0;
  virtual const char* GetActionSound(uint32_t a, uint32_t b, uint32_t c) = 0;
  virtual const SimpleObjInfo* GetSimpleObjInfo(uint32_t nId) = 0;  // slot 60
  virtual const RoleTraceInfo* GetRoleTraceInfo(int64_t nKey) = 0;
  virtual const RolePartReplaceInfo* GetRolePartReplaceInfo(int32_t nKey) = 0;  // slot 62

 protected:
  ~I3DRoleBaseData() = default;  // the client ends the service with RoleBaseDataDestroy
};

#if defined(_WIN32)
#if defined(KESTRIN_BUILD)
#define KESTRIN_API __declspec(dllexport)
#else
#define KESTRIN_API __declspec(dllimport)
#endif
#else
#define KESTRIN_API __attribute__((visibility("default")))
#endif

extern "C" {
// The one service, created on the first call; null when its storage could not be obtained.
KESTRIN_API I3DRoleBaseData* RoleBaseDataQuery();
// Ends the service; the next RoleBaseDataQuery creates a fresh, empty one.
KESTRIN_API void RoleBaseDataDestroy();
// Camera zoom limits for the client; the module does not read them. 32-bit, as on the
// shipping platform where long is 32 bits.
KESTRIN_API extern const int32_t CAMERA_MAX_SCALE;     // 384
KESTRIN_API extern const int32_t CAMERA_NORMAL_SCALE;  // 256
}
