#pragma once
// The one base-data service: every table the client asks about, loaded by Create from the
// files under ini/ (relative to the current directory) and answered by the queries of
// I3DRoleBaseData. Each table family lives in a source file of its own beside this one.

#include <cstdint>

#include "AppearanceTables.h"
#include "BattleTables.h"
#include "I3DRoleBaseData.h"
#include "RoleTraceTable.h"
#include "SoundTables.h"
#include "WorldTables.h"

// The service's source as the client's tools know it: the memory service is told this name
// for the service's storage, and the service's assertions name it, whichever file holds them.
#define SERVICE_SOURCE "Kestrin/3DRoleBaseData"

class C3DRoleBaseData final : public I3DRoleBaseData {
 public:
  C3DRoleBaseData();
  ~C3DRoleBaseData();
  C3DRoleBaseData(const C3DRoleBaseData&) = delete;
  C3DRoleBaseData& operator=(const C3DRoleBaseData&) = delete;

  int32_t Create() override;

  const GameMapInfo* GetGameMapInfo(uint32_t nMapId) override;
  int32_t GetFirstGameMapInfo(uint32_t* pMapId, const GameMapInfo** ppInfo) override;
  int32_t GetNextGameMapInfo(uint32_t* pMapId, const GameMapInfo** ppInfo) override;
  const RegionInfo* GetRegionInfo(uint32_t nSecondId) override;
  const RegionList* GetRegionList() override;
  const char* GetRegionName(uint32_t nId) override;
  bool PlaySound(const char* pszName, uint32_t nPlayArg, uint32_t nReserved,
                 bool bRestart) override;
  bool UpdateSoundAt(const char* pszName, int32_t x, int32_t y, int32_t nRadius,
                     uint32_t nPlayArg, bool bRestart) override;
  bool StopSound(const char* pszName) override;
  uint32_t GetSoundVolume(int32_t x, int32_t y, int32_t nRadius,
                          int32_t nSilentWithoutFading) override;
#if KESTRIN_RECORD_RESULT_BY_POINTER
  ListenerPos* GetListenerPos(ListenerPos* pResult) override;
  using I3DRoleBaseData::GetListenerPos;
#else
  ListenerPos GetListenerPos() override;
#endif
  const char* GetSoundEventName(uint32_t nEventId) override;
  bool PlaySoundEvent(uint32_t nEventId, uint32_t nPlayArg, uint32_t nReserved) override;
  void SetSoundSwitch(int32_t nOn) override;
  void SetSoundVolume(int32_t nVolume) override;
  void SetListenerPos(int32_t x, int32_t y) override;
  void SetListenerPos(const ListenerPos& pos) override;
  bool PlaySoundAt(const char* pszName, int32_t x, int32_t y, int32_t nRadius,
                   uint32_t nPlayArg, bool bRestart) override;
  void SetDistanceFading(int32_t nOn) override;
  const char* GetSoundFile(const char* pszName) override;
  const TerrainNpcInfo* GetTerrainNpcInfo(int32_t nId) override;
  const BattlePos* GetBattlePos(uint32_t nMapId, int32_t nIndex) override;
  int32_t GetBattleRotaryAngle(uint32_t nMapId) override;
  int32_t GetBattleCameraTime(uint32_t nMapId) override;
  int32_t GetBattleTorch1(uint32_t nMapId, int32_t nGroupNo) override;
  int32_t GetBattleTorch2(uint32_t nMapId, int32_t nGroupNo) override;
  int32_t GetBattleTorch3(uint32_t nMapId, int32_t nGroupNo) override;
  int32_t GetBattleTorch4(uint32_t nMapId, int32_t nGroupNo) override;
  const BattleViewPos* GetBattleViewPos(int32_t nKey1, int32_t nKey2) override;
  const BattleViewPos* GetBattleViewStartPos() override;
  const BattlePos* GetBattleArrayCellPos(int32_t nSide) override;
  const BattleCamera* GetBattleCamera() override;
  const BattleCamera* GetBattleMoveCamera() override;
  const BattleCamera* GetCaptureCamera1() override;
  const BattleCamera* GetCaptureCamera2() override;
  const BattleDiveInfo* GetBattleDiveInfo() override;
  const FighterPos* GetFighterPos(uint32_t nMapId, int32_t nKey1, int32_t nKey2,
                                  int32_t nGroupNo) override;
  const FighterPosOffset* GetFighterPosOffset(uint32_t nKey) override;
  const BattleStartPos* GetBattleStartPos(uint32_t nMapId, int32_t nKey1, int32_t nKey2) override;
  const BattleMapInfo* GetBattleMapInfo(uint32_t nMapId) override;
  void SetStoredValue1(int32_t nValue) override;
  int32_t GetStoredValue1() override;
  void SetStoredValue2(int32_t nValue) override;
  int32_t GetStoredValue2() override;
  void ClearStoredValues() override;
  const CameraTrackInfo* GetCameraTrackInfo(const char* pszName) override;
  const CameraTrackFrameList* GetCameraTrackFrames(const char* pszName) override;
  const NpcInfo* GetNpcInfo(int32_t nType) override;
  const NpcStarLookInfo* GetNpcStarLookInfo(int32_t nType) override;
  int32_t IsRolePartHidden(uint32_t k1, uint32_t k2, uint32_t k3, uint32_t k4, uint32_t nValue,
                           const char* pszPartName) override;
  float GetRolePartScale(uint32_t a, uint32_t b) override;
  float GetLookScale(uint32_t nLook) override;
  float GetMountScale(uint32_t a, uint32_t b) override;
  bool Is2DRoleLook(uint32_t nLook) override;
  uint32_t GetAppendentWeapon(uint32_t nWeaponId) override;
  uint32_t GetWeaponAdjustByLook(uint32_t nWeapon, uint32_t nLook) override;
  const char* GetAction3DEffect(uint32_t a, uint32_t b, uint32_t c, uint32_t d) override;
  const char* GetRoleWeapon3DEffect(uint32_t a, uint32_t b, uint32_t c, uint32_t d) override;
  const char* GetActionSound(uint32_t a, uint32_t b, uint32_t c) override;
  const SimpleObjInfo* GetSimpleObjInfo(uint32_t nId) override;
  const RoleTraceInfo* GetRoleTraceInfo(int64_t nKey) override;
  const RolePartReplaceInfo* GetRolePartReplaceInfo(int32_t nKey) override;

 private:
  // The loaders, in the order Create runs them. Each opens its own file, logs what it cannot
  // use, and answers 1 when its file could be opened, else 0.
  friend class CTableRegistry;  // the module's tools read what the loaders loaded

  int32_t CreateGameMapInfo();
  int32_t CreateRegionInfo();
  int32_t CreateSoundEventInfo();
  int32_t CreateSoundResInfo();
  int32_t CreateTerrainNpcInfo();
  int32_t CreateBattleMapInfo();
  int32_t CreateCaptureCameraInfo();
  int32_t CreateFighterPosOffsetInfo();
  int32_t CreateCameraTrackInfo();
  int32_t CreateNpcInfo();
  int32_t CreateRolePartScaleInfo();
  int32_t Create2DRoleLookInfo();
  int32_t CreateRolePartHideInfo();
  int32_t CreateLookScaleInfo();
  int32_t CreateMountScaleInfo();
  int32_t CreateAppendentWeaponInfo();
  int32_t CreateWeaponAdjustByLookInfo();
  int32_t CreateRoleWeapon3DEffectInfo();
  int32_t CreateAction3DEffectInfo();
  int32_t CreateSoundInfo();
  int32_t CreateSimpleObjInfo();
  int32_t CreateRoleTraceInfo();
  int32_t CreateRolePartReplaceInfo();

  // Runs a loader of the file; memory running out ends it with 0 and one line in the log.
  int32_t RunLoader(int32_t (C3DRoleBaseData::*pfnLoader)(), const char* pszFile);
  // Takes back what a loader that cannot go on had added to its tables but not yet entered.
  void CancelLoads();

  // Release of the owned records, in the order the destructor runs them.
  void ReleaseSoundEventInfo();
  void ReleaseSoundResInfo();
  void ReleaseCaptureCameraInfo();
  void ReleaseBattleMapInfo();
  void ReleaseFighterPosOffsetInfo();
  void ReleaseCameraTrackFrames();
  void ReleaseRolePartHideInfo();
  void ReleaseSimpleObjInfo();

  // The tables, in the order the client's binary layout of the service has them.
  GameMapTable m_mapGameMap;
  GameMapTable::const_iterator m_itGameMap;
  RegionList m_vecRegion;
  SoundEventTable m_mapSoundEvent;
  int32_t m_nSoundSwitch;
  int32_t m_nSoundVolume;
  int32_t m_nDistanceFading;
  ListenerPos m_listenerPos;
  SoundResTable m_mapSoundRes;
  TerrainNpcList m_vecTerrainNpc;
  BattleMapTable m_mapBattleMap;
  BattleViewPosList m_vecBattleViewPos;
  BattleViewPos m_battleViewStartPos;
  BattleCamera* m_pCaptureCamera1;
  BattleCamera* m_pCaptureCamera2;
  BattlePos m_defaultPos;
  BattleCamera m_battleCamera;
  BattleCamera m_battleMoveCamera;
  BattleDiveInfo m_battleDive;
  FighterPosOffsetTable m_mapFighterPosOffset;
  int32_t m_nStoredValue1;
  int32_t m_nStoredValue2;
  CameraTrackTable m_mapCameraTrack;
  CameraTrackFrameTable m_mapCameraTrackFrames;
  NpcTable m_mapNpc;
  NpcStarLookTable m_mapNpcX;
  RolePartHideTable m_mapRolePartHide;
  ScaleTable m_mapRolePartScale;
  ScaleTable m_mapMountScale;
  ScaleTable m_mapLookScale;
  LookSet m_map2DRoleLook;
  WeaponTable m_mapAppendentWeapon;
  WeaponTable m_mapWeaponAdjustByLook;
  ActionEffect3DTable m_mapAction3DEffect;
  WeaponEffect3DTable m_mapRoleWeapon3DEffect;
  ActionSoundTable m_mapActionSound;
  SimpleObjTable m_mapSimpleObj;
  RoleTraceTable m_vecRoleTrace;
  RolePartReplaceTable m_mapRolePartReplace;

  // World maps: the catalogue's records by map id, and where the first region of each Id and
  // SecondId and the first terrain NPC of each Id sit in their lists; rebuilt by their loaders
  // so that the queries are one hash probe.
  GameMapIndex m_indexGameMap;
  CFirstIndex m_indexRegionById;
  CFirstIndex m_indexRegionBySecondId;
  CFirstIndex m_indexTerrainNpcById;

  // Role traces: where the last record of each key sits in the list, rebuilt by the loader.
  CLookupTable<int64_t, uint32_t> m_indexRoleTrace;
};
