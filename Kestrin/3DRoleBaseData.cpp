#include "3DRoleBaseData.h"

C3DRoleBaseData::C3DRoleBaseData()
    : m_nSoundSwitch(1),
      m_nSoundVolume(100),
      m_nDistanceFading(1),
      m_listenerPos{0, 0},
      m_battleViewStartPos{},
      m_pCaptureCamera1(nullptr),
      m_pCaptureCamera2(nullptr),
      m_defaultPos{0, 0},
      m_battleCamera{},
      m_battleMoveCamera{},
      m_battleDive{},
      m_nStoredValue1(0),
      m_nStoredValue2(0) {
  m_itGameMap = m_mapGameMap.begin();
}

C3DRoleBaseData::~C3DRoleBaseData() {
  ReleaseSoundEventInfo();
  ReleaseSoundResInfo();
  ReleaseCaptureCameraInfo();
  ReleaseBattleMapInfo();
  ReleaseFighterPosOffsetInfo();
  ReleaseCameraTrackFrames();
  ReleaseRolePartHideInfo();
  ReleaseSimpleObjInfo();
}

// Every loader runs, whatever the others answered; the part replacement table decides.
int32_t C3DRoleBaseData::Create() {
  CreateGameMapInfo();
  CreateRegionInfo();
  CreateSoundEventInfo();
  CreateSoundResInfo();
  CreateTerrainNpcInfo();
  CreateBattleMapInfo();
  CreateCaptureCameraInfo();
  CreateFighterPosOffsetInfo();
  CreateCameraTrackInfo();
  CreateNpcInfo();
  CreateRolePartScaleInfo();
  Create2DRoleLookInfo();
  CreateRolePartHideInfo();
  CreateLookScaleInfo();
  CreateMountScaleInfo();
  CreateAppendentWeaponInfo();
  CreateWeaponAdjustByLookInfo();
  CreateRoleWeapon3DEffectInfo();
  CreateAction3DEffectInfo();
  CreateSoundInfo();
  CreateSimpleObjInfo();
  CreateRoleTraceInfo();
  return CreateRolePartReplaceInfo();
}

void C3DRoleBaseData::SetStoredValue1(int32_t nValue) { m_nStoredValue1 = nValue; }
int32_t C3DRoleBaseData::GetStoredValue1() { return m_nStoredValue1; }
void C3DRoleBaseData::SetStoredValue2(int32_t nValue) { m_nStoredValue2 = nValue; }
int32_t C3DRoleBaseData::GetStoredValue2() { return m_nStoredValue2; }
void C3DRoleBaseData::ClearStoredValues() {
  m_nStoredValue1 = 0;
  m_nStoredValue2 = 0;
}
