// NPC definitions (ini/Npc.ini) and their star looks (ini/NpcX.ini).
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateNpcInfo() { return 0; }

const NpcInfo* C3DRoleBaseData::GetNpcInfo(int32_t) { return nullptr; }

const NpcStarLookInfo* C3DRoleBaseData::GetNpcStarLookInfo(int32_t) { return nullptr; }
