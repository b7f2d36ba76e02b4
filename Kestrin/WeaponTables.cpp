// Appended weapons and weapon adjustment by look.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateAppendentWeaponInfo() { return 0; }

int32_t C3DRoleBaseData::CreateWeaponAdjustByLookInfo() { return 0; }

uint32_t C3DRoleBaseData::GetAppendentWeapon(uint32_t) { return 0; }

uint32_t C3DRoleBaseData::GetWeaponAdjustByLook(uint32_t nWeapon, uint32_t) { return nWeapon; }
