// The game map catalogue: one GameMapInfo per map id of ini/GameMap.dat, in id order.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateGameMapInfo() { return 0; }

const GameMapInfo* C3DRoleBaseData::GetGameMapInfo(uint32_t) { return nullptr; }

int32_t C3DRoleBaseData::GetFirstGameMapInfo(uint32_t*, const GameMapInfo**) { return 0; }

int32_t C3DRoleBaseData::GetNextGameMapInfo(uint32_t*, const GameMapInfo**) { return 0; }
