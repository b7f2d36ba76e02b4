// 3D effects by weapon (ini/RoleWeapon3DEffect.ini) and by action (ini/Action3DEffect.ini).
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateRoleWeapon3DEffectInfo() { return 0; }

int32_t C3DRoleBaseData::CreateAction3DEffectInfo() { return 0; }

const char* C3DRoleBaseData::GetAction3DEffect(uint32_t, uint32_t, uint32_t, uint32_t) {
  return nullptr;
}

const char* C3DRoleBaseData::GetRoleWeapon3DEffect(uint32_t, uint32_t, uint32_t, uint32_t) {
  return nullptr;
}
