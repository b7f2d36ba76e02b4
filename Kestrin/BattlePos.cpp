// Battle position queries over the battle maps, and ini/FighterPosOffset.ini.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateFighterPosOffsetInfo() { return 0; }

const BattlePos* C3DRoleBaseData::GetBattlePos(uint32_t, int32_t) { return &m_defaultPos; }

int32_t C3DRoleBaseData::GetBattleRotaryAngle(uint32_t) { return 0; }

int32_t C3DRoleBaseData::GetBattleCameraTime(uint32_t) { return 1000; }

int32_t C3DRoleBaseData::GetBattleTorch1(uint32_t, int32_t) { return -1; }

int32_t C3DRoleBaseData::GetBattleTorch2(uint32_t, int32_t) { return -1; }

int32_t C3DRoleBaseData::GetBattleTorch3(uint32_t, int32_t) { return -1; }

int32_t C3DRoleBaseData::GetBattleTorch4(uint32_t, int32_t) { return -1; }

const BattlePos* C3DRoleBaseData::GetBattleArrayCellPos(int32_t) { return &m_defaultPos; }

const FighterPos* C3DRoleBaseData::GetFighterPos(uint32_t, int32_t, int32_t, int32_t) {
  return nullptr;
}

const FighterPosOffset* C3DRoleBaseData::GetFighterPosOffset(uint32_t) { return nullptr; }

const BattleStartPos* C3DRoleBaseData::GetBattleStartPos(uint32_t, int32_t, int32_t) {
  return nullptr;
}

const BattleMapInfo* C3DRoleBaseData::GetBattleMapInfo(uint32_t) { return nullptr; }

void C3DRoleBaseData::ReleaseFighterPosOffsetInfo() { m_mapFighterPosOffset.clear(); }
