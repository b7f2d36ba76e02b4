// Battle position queries: which map answers (map 0 for an unlisted one), their defaults, the
// GetBattlePos assertion, and ini/FighterPosOffset.ini.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "QuerySweep.h"

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

TEST_F(BattlePosTest, UnlistedMapIsAnsweredByMapZeroAListedOneByItself) {
  I3DRoleBaseData* pData = LoadMaps(TWO_MAPS);
  I3DRoleBaseData* p = pData;
  // Map 5's camera time is its own default, not map 0's; of two start positions the first
  // stands; GetBattleMapInfo answers only for the map itself.
  EXPECT_EQ("100 200 500 45 -15 2000 1000 3 30 10 50 null 100",
            Say(p->GetBattlePos(7, 0)->x, p->GetBattlePos(7, 0)->y, p->GetBattlePos(5, 0)->x,
                p->GetBattleRotaryAngle(7), p->GetBattleRotaryAngle(5), p->GetBattleCameraTime(7),
                p->GetBattleCameraTime(5), p->GetBattleTorch2(7, 3),
                p->GetFighterPos(7, 1, 1, 3)->nValue[0], p->GetBattleStartPos(7, 1, 1)->nValue[0],
                p->GetBattleStartPos(5, 1, 1)->nValue[0], Describe(p->GetBattleMapInfo(7)),
                p->GetBattleMapInfo(0)->CenterWorld.x));
  // A listed map answers from its own groups and positions only (map 0 has group 3, map 5 does
  // not). Map 5's group 1 was closed by its group 2 line; group 2 was still open for Torch lines.
  EXPECT_EQ((std::vector<int32_t>{7, 8, 9, 10}), Torches(pData, 5, 1));
  EXPECT_EQ("11 20 -1 null null null",
            Say(p->GetFighterPos(5, 2, 1, 1)->nValue[0], p->GetFighterPos(5, 1, 1, 2)->nValue[0],
                p->GetBattleTorch1(5, 3), Describe(p->GetFighterPos(5, 1, 1, 3)),
                Describe(p->GetBattleStartPos(5, 9, 9)), Describe(p->GetFighterPos(5, 9, 9, 1))));
  // Array cells come from map 0 only: side 1 the up cell, any other side the down cell.
  EXPECT_EQ("1 2 3 4 3 4 3 4", Each({1, 0, 2, -1}, [&](int32_t nSide) {
              return Describe(p->GetBattleArrayCellPos(nSide));
            }));
  EXPECT_FALSE(LogHas(GET_BATTLE_POS_ASSERT));
  // An index other than 0 asserts even for a listed map, once: the repeat filter drops the next.
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
  EXPECT_EQ((std::vector<int32_t>{-1, -1, -1, -1}), Torches(pData, 7, 1));
  EXPECT_EQ(pPos, pData->GetBattleArrayCellPos(1));  // the default position, (0, 0)
  EXPECT_EQ(nullptr, pData->GetFighterPos(7, 1, 1, 0));
  EXPECT_EQ(nullptr, pData->GetBattleStartPos(7, 1, 1));
}

TEST_F(BattlePosTest, ArrayCellsOfAMapZeroWithoutThemAreUnset) {
  I3DRoleBaseData* pData = LoadMaps("[0]\n");
  EXPECT_EQ(-1, pData->GetBattleArrayCellPos(1)->x);
  EXPECT_EQ(-1, pData->GetBattleArrayCellPos(0)->y);
}

TEST_F(BattlePosTest, FighterPosOffsetsKeepTheLastLineOfAKey) {
  Write("ini/FighterPosOffset.ini", "; key x y\n10 1 2\n\n10 3 4\n4294967295 -5 6\n-1 7 8\n");
  I3DRoleBaseData* pData = Load();
  const FighterPosOffset* pOffset = pData->GetFighterPosOffset(10);
  ASSERT_NE(nullptr, pOffset);
  EXPECT_EQ(3, pOffset->x);
  EXPECT_EQ(4, pOffset->y);
  EXPECT_EQ(7, pData->GetFighterPosOffset(4294967295u)->x);  // "-1" wraps to the same key
  EXPECT_EQ(nullptr, pData->GetFighterPosOffset(11));
  Write("ini/FighterPosOffset.ini", "10 9 9\n3 3 3\n");
  pData->Create();  // adds keys and replaces those read again
  EXPECT_EQ(9, pData->GetFighterPosOffset(10)->x);
  EXPECT_EQ(3, pData->GetFighterPosOffset(3)->x);
  EXPECT_EQ(7, pData->GetFighterPosOffset(4294967295u)->x);  // kept
}

TEST_F(BattlePosTest, MalformedOffsetLineEndsTheReading) {
  // Only a line feed or ';' as first character is skipped: a line of blanks ends it too.
  for (const char* pszBad : {"x\n", "3 3\n", "  \n"}) {
    I3DRoleBaseData* pData =
        LoadWith("ini/FighterPosOffset.ini", std::string("1 1 1\n") + pszBad + "2 2 2\n");
    EXPECT_NE(nullptr, pData->GetFighterPosOffset(1)) << pszBad;
    EXPECT_EQ(nullptr, pData->GetFighterPosOffset(2)) << pszBad;
  }
  EXPECT_FALSE(LogHas("FighterPosOffset"));
}

}  // namespace
