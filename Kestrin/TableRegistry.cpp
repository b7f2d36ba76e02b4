#include "TableRegistry.h"

#include <initializer_list>
#include <string>
#include <unordered_set>

#include "3DRoleBaseData.h"
#include "LoadObserver.h"

namespace {

enum TableNo {
  T_GAME_MAP, T_REGION, T_SOUND_EVENT, T_SOUND_RES, T_TERRAIN_NPC, T_BATTLE_MAP,
  T_CAPTURE_CAMERA, T_FIGHTER_POS_OFFSET, T_CAMERA_TRACK, T_NPC, T_NPC_X, T_ROLE_PART_SCALE,
  T_2D_ROLE_LOOK, T_ROLE_PART_HIDE, T_LOOK_SCALE, T_MOUNT_SCALE, T_APPENDENT_WEAPON,
  T_WEAPON_ADJUST_BY_LOOK, T_ROLE_WEAPON_3D_EFFECT, T_ACTION_3D_EFFECT, T_ACTION_SOUND,
  T_SIMPLE_OBJ, T_ROLE_TRACE, T_ROLE_PART_REPLACE, T_BATTLE_DIVE
};

template <typename Table, typename Fn>
void WalkKeys(const Table& table, Fn& fnKey) {
  for (size_t i = 0; i < table.Size(); ++i) fnKey(static_cast<int64_t>(table.KeyAt(i)), {});
}

}  // namespace

const std::vector<RegisteredTable>& CTableRegistry::Tables() {
  static const std::vector<RegisteredTable> s_tables = {
      {"GameMap", "ini/GameMap.dat", "CreateGameMapInfo", true},
      {"Region", "ini/region.ini", "CreateRegionInfo", true},
      {"SoundEvent", "ini/SoundEvent.ini", "CreateSoundEventInfo", true},
      {"SoundRes", "ini/SoundRes.ini", "CreateSoundResInfo", true},
      {"TerrainNpc", "ini/TerrainNpc.dat", "CreateTerrainNpcInfo", true},
      {"BattleMap", "ini/BattleMap.ini", "CreateBattleMapInfo", true},
      {"CaptureCamera", "ini/CaptureCamera.ini", "CreateCaptureCameraInfo", true},
      {"FighterPosOffset", "ini/FighterPosOffset.ini", "CreateFighterPosOffsetInfo", true},
      {"CameraTrack", "ini/CameraTrack.ini", "CreateCameraTrackInfo", true},
      {"Npc", "ini/Npc.ini", "CreateNpcInfo", true},
      {"NpcX", "ini/NpcX.ini", "CreateNpcInfo", true},
      {"RolePartScale", "ini/RolePartScale.ini", "CreateRolePartScaleInfo", true},
      {"2DRoleLook", "ini/2DRoleLook.ini", "Create2DRoleLookInfo", true},
      {"RolePartHide", "ini/RolePartHide.ini", "CreateRolePartHideInfo", true},
      {"LookScale", "ini/LookScale.ini", "CreateLookScaleInfo", true},
      {"MountScale", "ini/MountScale.ini", "CreateMountScaleInfo", true},
      {"AppendentWeapon", "ini/AppendentWeapon.ini", "CreateAppendentWeaponInfo", true},
      {"WeaponAdjustByLook", "ini/WeaponAdjustByLook.ini", "CreateWeaponAdjustByLookInfo", true},
      {"RoleWeapon3DEffect", "ini/RoleWeapon3DEffect.ini", "CreateRoleWeapon3DEffectInfo", true},
      {"Action3DEffect", "ini/Action3DEffect.ini", "CreateAction3DEffectInfo", true},
      {"ActionSound", "ini/ActionSound.ini", "CreateSoundInfo", true},
      {"SimpleObj", "ini/SimpleObjInfo.ini", "CreateSimpleObjInfo", true},
      {"RoleTrace", "ini/RoleTrace.ini", "CreateRoleTraceInfo", true},
      {"RolePartReplace", "ini/RolePartReplace.ini", "CreateRolePartReplaceInfo", true},
      {"BattleDive", "ini/3DBattleDive.ini", "GetBattleDiveInfo", false},
  };
  return s_tables;
}

size_t CTableRegistry::Count(const C3DRoleBaseData& data, size_t i) {
  switch (i) {
    case T_GAME_MAP: return data.m_mapGameMap.size();
    case T_REGION: return data.m_vecRegion.size();
    case T_SOUND_EVENT: return data.m_mapSoundEvent.Size();
    case T_SOUND_RES: return data.m_mapSoundRes.Size();
    case T_TERRAIN_NPC: return data.m_vecTerrainNpc.size();
    case T_BATTLE_MAP: return data.m_mapBattleMap.Size();
    case T_CAPTURE_CAMERA: return data.m_pCaptureCamera1 != nullptr ? 2 : 0;
    case T_FIGHTER_POS_OFFSET: return data.m_mapFighterPosOffset.Size();
    case T_CAMERA_TRACK: return data.m_mapCameraTrack.Size();
    case T_NPC: return data.m_mapNpc.Size();
    case T_NPC_X: return data.m_mapNpcX.Size();
    case T_ROLE_PART_SCALE: return data.m_mapRolePartScale.Size();
    case T_2D_ROLE_LOOK: return data.m_map2DRoleLook.Size();
    case T_ROLE_PART_HIDE: return data.m_mapRolePartHide.Size();
    case T_LOOK_SCALE: return data.m_mapLookScale.Size();
    case T_MOUNT_SCALE: return data.m_mapMountScale.Size();
    case T_APPENDENT_WEAPON: return data.m_mapAppendentWeapon.Size();
    case T_WEAPON_ADJUST_BY_LOOK: return data.m_mapWeaponAdjustByLook.Size();
    case T_ROLE_WEAPON_3D_EFFECT: return data.m_mapRoleWeapon3DEffect.Size();
    case T_ACTION_3D_EFFECT: return data.m_mapAction3DEffect.Size();
    case T_ACTION_SOUND: return data.m_mapActionSound.Size();
    case T_SIMPLE_OBJ: return data.m_mapSimpleObj.Size();
    case T_ROLE_TRACE: return data.m_vecRoleTrace.size();
    case T_ROLE_PART_REPLACE: return data.m_mapRolePartReplace.Size();
    default: return 0;
  }
}

void CTableRegistry::ForEachKey(const C3DRoleBaseData& data, size_t i,
                                const std::function<void(int64_t, std::string_view)>& fnKey) {
  switch (i) {
    case T_GAME_MAP:
      for (const auto& entry : data.m_mapGameMap) fnKey(entry.first, {});
      break;
    case T_REGION:
      for (const RegionInfo& info : data.m_vecRegion) fnKey(info.SecondId, {});
      break;
    case T_TERRAIN_NPC:
      for (const TerrainNpcInfo& info : data.m_vecTerrainNpc) fnKey(info.Id, {});
      break;
    case T_NPC:
      for (size_t n = 0; n < data.m_mapNpc.Size(); ++n) fnKey(data.m_mapNpc.RecordAt(n).Id, {});
      break;
    case T_NPC_X:
      for (size_t n = 0; n < data.m_mapNpcX.Size(); ++n) fnKey(data.m_mapNpcX.RecordAt(n).Id, {});
      break;
    case T_CAMERA_TRACK:
      for (size_t n = 0; n < data.m_mapCameraTrack.Size(); ++n) fnKey(0, data.m_mapCameraTrack.NameAt(n));
      break;
    case T_SOUND_RES:
      for (size_t n = 0; n < data.m_mapSoundRes.Size(); ++n) {
        fnKey(0, data.m_mapSoundRes.NameAt(n));
      }
      break;
    case T_ROLE_TRACE:
      for (const RoleTraceInfo& info : data.m_vecRoleTrace) fnKey(info.Key, {});
      break;
    case T_SOUND_EVENT: WalkKeys(data.m_mapSoundEvent, fnKey); break;
    case T_BATTLE_MAP: WalkKeys(data.m_mapBattleMap, fnKey); break;
    case T_FIGHTER_POS_OFFSET: WalkKeys(data.m_mapFighterPosOffset, fnKey); break;
    case T_ROLE_PART_SCALE: WalkKeys(data.m_mapRolePartScale, fnKey); break;
    case T_2D_ROLE_LOOK: WalkKeys(data.m_map2DRoleLook, fnKey); break;
    case T_ROLE_PART_HIDE: WalkKeys(data.m_mapRolePartHide, fnKey); break;
    case T_LOOK_SCALE: WalkKeys(data.m_mapLookScale, fnKey); break;
    case T_MOUNT_SCALE: WalkKeys(data.m_mapMountScale, fnKey); break;
    case T_APPENDENT_WEAPON: WalkKeys(data.m_mapAppendentWeapon, fnKey); break;
    case T_WEAPON_ADJUST_BY_LOOK: WalkKeys(data.m_mapWeaponAdjustByLook, fnKey); break;
    case T_ROLE_WEAPON_3D_EFFECT: WalkKeys(data.m_mapRoleWeapon3DEffect, fnKey); break;
    case T_ACTION_3D_EFFECT: WalkKeys(data.m_mapAction3DEffect, fnKey); break;
    case T_ACTION_SOUND: WalkKeys(data.m_mapActionSound, fnKey); break;
    case T_SIMPLE_OBJ: WalkKeys(data.m_mapSimpleObj, fnKey); break;
    case T_ROLE_PART_REPLACE: WalkKeys(data.m_mapRolePartReplace, fnKey); break;
    default: break;
  }
}

// The inverse of each table's packing, for keys whose numbers fit their places.
std::vector<int64_t> CTableRegistry::KeyParts(size_t i, int64_t nKey) {
  const uint64_t u = static_cast<uint64_t>(nKey);
  auto Parts = [](std::initializer_list<uint64_t> parts) {
    return std::vector<int64_t>(parts.begin(), parts.end());
  };
  switch (i) {
    case T_ROLE_PART_SCALE: return {nKey / 1000, nKey % 1000};
    case T_MOUNT_SCALE: return {nKey / 1000000, nKey % 1000000};
    case T_WEAPON_ADJUST_BY_LOOK: return {nKey % 1000000, nKey / 1000000};
    case T_ROLE_WEAPON_3D_EFFECT:
    case T_ACTION_3D_EFFECT:
      return Parts({u / 10000000000, u / 1000000 % 10000, u / 1000 % 1000, u % 1000});
    case T_ACTION_SOUND: return Parts({u / 10000000, u / 10000 % 1000, u % 10000});
    case T_ROLE_PART_HIDE: {
      const uint64_t nRest = u % 100000000000;
      return Parts({u / 100000000000, nRest / 10000000, nRest / 1000 % 10000, nRest % 1000});
    }
    default: return {nKey};
  }
}

void CTableRegistry::ForEachItem(
    const C3DRoleBaseData& data, size_t i, int64_t nKey, std::string_view name,
    const std::function<void(std::string_view, int64_t, int64_t)>& fnItem) {
  size_t nCount = 0;
  switch (i) {
    case T_SOUND_RES: {
      const char* const* ppszFiles = nullptr;
      if (!data.m_mapSoundRes.Find(name, ppszFiles, nCount)) break;
      for (size_t n = 0; n < nCount; ++n) fnItem(ppszFiles[n], 0, 0);
      break;
    }
    case T_ROLE_PART_HIDE: {
      const CRolePartHideTable::Section* pSections = data.m_mapRolePartHide.Find(nKey, nCount);
      for (size_t n = 0; pSections != nullptr && n < nCount; ++n) {
        fnItem(pSections[n].pszName, pSections[n].From, pSections[n].To);
      }
      break;
    }
    case T_BATTLE_MAP:
      for (const BattleViewPos& pos : data.m_vecBattleViewPos) fnItem({}, pos.nKey1, pos.nKey2);
      break;
    default: break;
  }
}

void CTableRegistry::ObserveCrossTables(const C3DRoleBaseData& data) {
  if (ZorGameBase::LoadObserver() == nullptr) return;
  for (size_t n = 0; n < data.m_mapNpc.Size(); ++n) {
    const NpcInfo& npc = data.m_mapNpc.RecordAt(n);
    if (data.m_mapSimpleObj.Find(npc.SimpleObjID) != nullptr) continue;
    ZorGameBase::ReportFindingAtLine(
        ZorGameBase::RULE_UNKNOWN_REFERENCE, "ini/Npc.ini", 0, 0,
        "NPC type " + std::to_string(npc.Id) + " names SimpleObjID=" +
            std::to_string(npc.SimpleObjID) + ", which ini/SimpleObjInfo.ini does not define");
  }
}
