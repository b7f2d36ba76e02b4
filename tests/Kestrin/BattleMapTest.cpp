// ini/BattleMap.ini: the record GetBattlePos hands out for a map is the map's own record, read
// as its CenterWorld. What the file's lines give is asked by the cases of tests/cases/battle-map.
#include <gtest/gtest.h>

#include "ModuleFixture.h"

namespace {

using BattleMapTest = ModuleTest;

TEST_F(BattleMapTest, BattlePosIsTheMapRecordItself) {
  I3DRoleBaseData* pData = LoadWith("ini/BattleMap.ini", "[1]\nCenterWorld=10 20\n");
  const BattleMapInfo* pMap = pData->GetBattleMapInfo(1);
  ASSERT_NE(nullptr, pMap);
  EXPECT_EQ(static_cast<const void*>(pMap), static_cast<const void*>(pData->GetBattlePos(1, 0)));
}

}  // namespace
