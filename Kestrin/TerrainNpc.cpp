// Terrain NPCs of ini/TerrainNpc.dat.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateTerrainNpcInfo() { return 0; }

const TerrainNpcInfo* C3DRoleBaseData::GetTerrainNpcInfo(int32_t) { return nullptr; }
