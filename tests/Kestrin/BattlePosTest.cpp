// Battle position queries: the GetBattlePos assertion and the defaults without a map 0. Which map
// answers is asked by the cases of tests/cases/battle-pos.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleFixture.h"

namespace {

const char GET_BATTLE_POS_ASSERT[] = "[C3DRoleBaseData::GetBattlePos]";

// Map 0 and map 5, each with groups, torches and start positions of its own.
const char TWO_MAPS[] =
    "[0]\nCenterWorld=100 200\nUpArrayCellpos=1 2\nDownArrayCellpos=3 4\nRotaryAngle=45\n"
    "CameraTime=2000\nStartPos=1 1 10 11 12\n"
    "FighterPos3=1 1 30 0 0 0 0 0\nFighterPos4=1 1 40 0 0 0 0 0\nTorch3=3 3 3 3\n"
    "[5]\nCenterWorld=500 600\nRotaryAngle=-15\nStartPos=1 1 50 51 52\nStartPos=1 1 0 0 0\n"
    "FighterPos1=1 1 10 0 0 0 0 0\nFighterPos1=2 1 11 0 0 0 0 0\nFighterPos2=1 1 20 0 0 0 0 0\n"
    "Torch1=7 8 9 10\n";

class BattlePosTest : public ModuleTest {
 protected:
  I3DRoleBaseData* LoadMaps(const std::string& strText) {
    return LoadWith("ini/BattleMap.ini", strText);
  }
};

// An index other than 0 asserts even for a listed map, once: the repeat filter drops the next.
TEST_F(BattlePosTest, IndexOtherThanZeroAssertsOnce) {
  I3DRoleBaseData* pData = LoadMaps(TWO_MAPS);
  pData->GetBattlePos(5, 0);
  EXPECT_FALSE(LogHas(GET_BATTLE_POS_ASSERT));
  EXPECT_EQ((std::vector<int32_t>{0, 0}), Fields(pData->GetBattlePos(5, 1)));
  pData->GetBattlePos(5, -1);
  EXPECT_EQ(1, LogCount(GET_BATTLE_POS_ASSERT));
}

TEST_F(BattlePosTest, WithoutMapZeroAnUnlistedMapGetsTheDefaults) {
  I3DRoleBaseData* pData = LoadMaps("[5]\nCenterWorld=1 1\nUpArrayCellpos=1 1\n");
  const BattlePos* pPos = pData->GetBattlePos(7, 0);
  EXPECT_EQ(0, pPos->x);
  EXPECT_EQ(0, pPos->y);
  EXPECT_EQ(1, LogCount(GET_BATTLE_POS_ASSERT));
  EXPECT_TRUE(LogHas(" line of Kestrin/3DRoleBaseData [C3DRoleBaseData::GetBattlePos]\xA1\xEF -- "))
      << LogText();
  EXPECT_EQ(0, pData->GetBattleRotaryAngle(7));
  EXPECT_EQ(1000, pData->GetBattleCameraTime(7));
  EXPECT_EQ("-1 -1 -1 -1", Say(pData->GetBattleTorch1(7, 1), pData->GetBattleTorch2(7, 1),
                               pData->GetBattleTorch3(7, 1), pData->GetBattleTorch4(7, 1)));
  EXPECT_EQ(pPos, pData->GetBattleArrayCellPos(1));  // the default position, (0, 0)
  EXPECT_EQ(nullptr, pData->GetFighterPos(7, 1, 1, 0));
  EXPECT_EQ(nullptr, pData->GetBattleStartPos(7, 1, 1));
}

}  // namespace
