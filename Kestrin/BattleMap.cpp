// Battle maps of ini/BattleMap.ini: fighter groups, start and view positions, battle cameras.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateBattleMapInfo() { return 0; }

const BattleViewPos* C3DRoleBaseData::GetBattleViewPos(int32_t, int32_t) { return nullptr; }

const BattleViewPos* C3DRoleBaseData::GetBattleViewStartPos() { return &m_battleViewStartPos; }

const BattleCamera* C3DRoleBaseData::GetBattleCamera() { return &m_battleCamera; }

const BattleCamera* C3DRoleBaseData::GetBattleMoveCamera() { return &m_battleMoveCamera; }

void C3DRoleBaseData::ReleaseBattleMapInfo() {
  m_mapBattleMap.clear();
  m_vecBattleViewPos.clear();
}
