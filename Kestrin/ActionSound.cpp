// Action sounds of ini/ActionSound.ini.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateSoundInfo() { return 0; }

const char* C3DRoleBaseData::GetActionSound(uint32_t, uint32_t, uint32_t) { return nullptr; }
