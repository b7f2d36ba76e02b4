#include "3DRoleBaseData.h"

#include <exception>

#include "DebugLog.h"
#include "TableBlock.h"

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

namespace {

using Loader = int32_t (C3DRoleBaseData::*)();

}  // namespace

// Runs one loader. Memory running out is the one failure the containers report by throwing:
// it ends the loader where it stands, as the end of its file would. Its tables keep what
// earlier loads and this one had entered (records read but not yet entered are taken back),
// the rest of the file is not read, one line names the file, and the answer is 0: the file
// could not be loaded. The next loader runs as ever.
int32_t C3DRoleBaseData::RunLoader(Loader pfnLoader, const char* pszFile) {
  try {
    return (this->*pfnLoader)();
  } catch (const std::exception&) {
    CancelLoads();
    ZorGameBase::DebugLog("out of memory while loading %s.", pszFile);
    return 0;
  }
}

void C3DRoleBaseData::CancelLoads() {
  m_indexGameMap.CancelLoad();
  m_indexRegionById.CancelLoad();
  m_indexRegionBySecondId.CancelLoad();
  m_mapSoundEvent.CancelLoad();
  m_mapSoundRes.CancelLoad();
  m_indexTerrainNpcById.CancelLoad();
  m_mapBattleMap.CancelLoad();
  m_mapFighterPosOffset.CancelLoad();
  m_mapCameraTrack.CancelLoad();
  m_mapNpc.CancelLoad();
  m_mapNpcX.CancelLoad();
  m_mapRolePartScale.CancelLoad();
  m_map2DRoleLook.CancelLoad();
  m_mapRolePartHide.CancelLoad();
  m_mapLookScale.CancelLoad();
  m_mapMountScale.CancelLoad();
  m_mapAppendentWeapon.CancelLoad();
  m_mapWeaponAdjustByLook.CancelLoad();
  m_mapRoleWeapon3DEffect.CancelLoad();
  m_mapAction3DEffect.CancelLoad();
  m_mapActionSound.CancelLoad();
  m_mapSimpleObj.CancelLoad();
  m_indexRoleTrace.CancelLoad();
  m_mapRolePartReplace.CancelLoad();
}

// Every loader runs, whatever the others answered; the part replacement table decides.
int32_t C3DRoleBaseData::Create() {
  static const struct {
    Loader pfnLoader;
    const char* pszFile;
  } LOADERS[] = {
      {&C3DRoleBaseData::CreateGameMapInfo, "ini/GameMap.dat"},
      {&C3DRoleBaseData::CreateRegionInfo, "ini/region.ini"},
      {&C3DRoleBaseData::CreateSoundEventInfo, "ini/SoundEvent.ini"},
      {&C3DRoleBaseData::CreateSoundResInfo, "ini/SoundRes.ini"},
      {&C3DRoleBaseData::CreateTerrainNpcInfo, "ini/TerrainNpc.dat"},
      {&C3DRoleBaseData::CreateBattleMapInfo, "ini/BattleMap.ini"},
      {&C3DRoleBaseData::CreateCaptureCameraInfo, "ini/CaptureCamera.ini"},
      {&C3DRoleBaseData::CreateFighterPosOffsetInfo, "ini/FighterPosOffset.ini"},
      {&C3DRoleBaseData::CreateCameraTrackInfo, "ini/CameraTrack.ini"},
      {&C3DRoleBaseData::CreateNpcInfo, "ini/Npc.ini"},
      {&C3DRoleBaseData::CreateRolePartScaleInfo, "ini/RolePartScale.ini"},
      {&C3DRoleBaseData::Create2DRoleLookInfo, "ini/2DRoleLook.ini"},
      {&C3DRoleBaseData::CreateRolePartHideInfo, "ini/RolePartHide.ini"},
      {&C3DRoleBaseData::CreateLookScaleInfo, "ini/LookScale.ini"},
      {&C3DRoleBaseData::CreateMountScaleInfo, "ini/MountScale.ini"},
      {&C3DRoleBaseData::CreateAppendentWeaponInfo, "ini/AppendentWeapon.ini"},
      {&C3DRoleBaseData::CreateWeaponAdjustByLookInfo, "ini/WeaponAdjustByLook.ini"},
      {&C3DRoleBaseData::CreateRoleWeapon3DEffectInfo, "ini/RoleWeapon3DEffect.ini"},
      {&C3DRoleBaseData::CreateAction3DEffectInfo, "ini/Action3DEffect.ini"},
      {&C3DRoleBaseData::CreateSoundInfo, "ini/ActionSound.ini"},
      {&C3DRoleBaseData::CreateSimpleObjInfo, "ini/SimpleObjInfo.ini"},
      {&C3DRoleBaseData::CreateRoleTraceInfo, "ini/RoleTrace.ini"},
      {&C3DRoleBaseData::CreateRolePartReplaceInfo, "ini/RolePartReplace.ini"},
  };
  ZorGameBase::CLogBatch logBatch;  // a load may log many lines: the day's file stays open
  ZorGameBase::CImageReuse imageReuse;  // the files are read one after another
  int32_t nResult = 0;
  for (const auto& loader : LOADERS) nResult = RunLoader(loader.pfnLoader, loader.pszFile);
  return nResult;
}

void C3DRoleBaseData::SetStoredValue1(int32_t nValue) { m_nStoredValue1 = nValue; }
int32_t C3DRoleBaseData::GetStoredValue1() { return m_nStoredValue1; }
void C3DRoleBaseData::SetStoredValue2(int32_t nValue) { m_nStoredValue2 = nValue; }
int32_t C3DRoleBaseData::GetStoredValue2() { return m_nStoredValue2; }
void C3DRoleBaseData::ClearStoredValues() {
  m_nStoredValue1 = 0;
  m_nStoredValue2 = 0;
}
