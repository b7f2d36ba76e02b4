#include "TableFiles.h"

const std::vector<TableFile>& TableFiles() {
  static const std::vector<TableFile> s_files = {
      {"ini/GameMap.dat", "GameMap"},
      {"ini/region.ini", "Region"},
      {"ini/SoundEvent.ini", "SoundEvent"},
      {"ini/SoundRes.ini", "SoundRes"},
      {"ini/TerrainNpc.dat", "TerrainNpc"},
      {"ini/BattleMap.ini", "BattleMap"},
      {"ini/CaptureCamera.ini", "CaptureCamera"},
      {"ini/FighterPosOffset.ini", "FighterPosOffset"},
      {"ini/CameraTrack.ini", "CameraTrack"},
      {"ini/Npc.ini", "Npc"},
      {"ini/NpcX.ini", "NpcX"},
      {"ini/RolePartScale.ini", "RolePartScale"},
      {"ini/2DRoleLook.ini", "2DRoleLook"},
      {"ini/RolePartHide.ini", "RolePartHide"},
      {"ini/LookScale.ini", "LookScale"},
      {"ini/MountScale.ini", "MountScale"},
      {"ini/AppendentWeapon.ini", "AppendentWeapon"},
      {"ini/WeaponAdjustByLook.ini", "WeaponAdjustByLook"},
      {"ini/RoleWeapon3DEffect.ini", "RoleWeapon3DEffect"},
      {"ini/Action3DEffect.ini", "Action3DEffect"},
      {"ini/ActionSound.ini", "ActionSound"},
      {"ini/SimpleObjInfo.ini", "SimpleObjInfo"},
      {"ini/RoleTrace.ini", "RoleTrace"},
      {"ini/RolePartReplace.ini", "RolePartReplace"},
      {"ini/3DBattleDive.ini", "3DBattleDive"},
  };
  return s_files;
}
