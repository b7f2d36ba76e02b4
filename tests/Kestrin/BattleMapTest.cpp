// ini/BattleMap.ini through the interface: sections and their defaults, fighter groups and
// torches, view positions, the battle cameras, bad lines and a second load.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleFixture.h"

namespace {

const char BATTLE_MAP[] = "ini/BattleMap.ini";
const char LOADER_ASSERT[] = "ASSERT(FALSE) in ";
const char LOADER_NAME[] = "[C3DRoleBaseData::CreateBattleMapInfo]";

class BattleMapTest : public ModuleTest {
 protected:
  I3DRoleBaseData* LoadBattleMap(const std::string& strText) {
    return LoadWith(BATTLE_MAP, strText);
  }
  int LoaderAsserts() const { return LogCount(LOADER_NAME); }
  // Anything the loader wrote: its assertions or a message naming its file.
  bool BattleMapLogged() const { return LogHas(LOADER_NAME) || LogHas(BATTLE_MAP); }
};

// The thirteen values at the start of the record: seventeen numbers.
std::vector<int32_t> Values(const BattleMapInfo* pMap) { return Fields(pMap, 17); }

TEST_F(BattleMapTest, KeysReachTheirFieldsAndMissingKeysHaveTheDefaults) {
  I3DRoleBaseData* pData = LoadBattleMap(
      "[4]\n[1]\nCenterWorld=10 20\nCenterCell=3 4\nUpArrayCellpos=5 6\nDownArrayCellpos=7 8\n"
      "MaxScale=400\nMinScale=200\nDefScale=300\nStartScale=310\nDefAngle=-45\n"
      "StartAngle=15\nRotaryAngle=90\nCameraTime=1500\nTerraHigh=-12\n"
      "StartPos=1 2 3 4 5\nStartPos=1 2 9 9 9\n");
  const BattleMapInfo* pEmpty = pData->GetBattleMapInfo(4);
  EXPECT_EQ((std::vector<int32_t>{0, 0, -1, -1, -1, -1, -1, -1, 327, 256, 256, 256, -30, -90, 0,
                                  1000, 0}),
            Values(pEmpty));
  ASSERT_NE(nullptr, pEmpty);
  EXPECT_TRUE(pEmpty->vecStartPos.empty());
  EXPECT_TRUE(pEmpty->vecFighterGroup.empty());
  const BattleMapInfo* pMap = pData->GetBattleMapInfo(1);
  EXPECT_EQ(
      (std::vector<int32_t>{10, 20, 3, 4, 5, 6, 7, 8, 400, 200, 300, 310, -45, 15, 90, 1500, -12}),
      Values(pMap));
  ASSERT_EQ(2u, pMap->vecStartPos.size());
  EXPECT_EQ(5, pMap->vecStartPos[0].nValue[2]);
  EXPECT_EQ(9, pMap->vecStartPos[1].nValue[0]);
  // The record handed out by GetBattlePos is the map itself, read as its CenterWorld.
  EXPECT_EQ(static_cast<const void*>(pMap), static_cast<const void*>(pData->GetBattlePos(1, 0)));
  EXPECT_FALSE(BattleMapLogged()) << LogText();
}

// Only a line feed or ';' as the very first character passes a line before the first section;
// any other line there is asserted and dropped.
TEST_F(BattleMapTest, LinesBeforeTheFirstSection) {
  const struct {
    const char* pszText;
    int nAsserts;
    int32_t nMaxScale;  // of map 1; 0: no map 1
  } cases[] = {
      {"", 0, 0},
      {";[1]\n; MaxScale=3\n", 0, 0},
      {"\n\n", 0, 0},
      {"; maps\n\n;[7]\n[1]\nMaxScale=5\n", 0, 5},
      {"; maps\r\n\r\n[1]\r\nMaxScale=400\r\n", 0, 400},
      {"// note\n[1]\nMaxScale=5\n", 1, 5},
      {"  ; indented\n[1]\nMaxScale=5\n", 1, 5},
      {"   \n[1]\nMaxScale=5\n", 1, 5},
      {"\t\n[1]\nMaxScale=5\n", 1, 5},
      {"MaxScale=400\n[1]\nMaxScale=5\n", 1, 5},
      {" [2]\n[1]\nMaxScale=5\n", 1, 5},
      {"garbage\n[1]\nMaxScale=5\n", 1, 5},
  };
  for (const auto& c : cases) {
    ClearLog();
    I3DRoleBaseData* pData = LoadBattleMap(c.pszText);
    EXPECT_EQ(c.nAsserts, LoaderAsserts()) << c.pszText;
    EXPECT_FALSE(LogHas(BATTLE_MAP)) << c.pszText;
    const BattleMapInfo* pMap = pData->GetBattleMapInfo(1);
    EXPECT_EQ(c.nMaxScale, pMap != nullptr ? pMap->MaxScale : 0) << c.pszText;
    EXPECT_EQ(nullptr, pData->GetBattleMapInfo(0)) << c.pszText;
  }
}

// Keys are whole and case-sensitive and comments are cut; section numbers read like atoi.
TEST_F(BattleMapTest, KeysAndSectionNumbers) {
  I3DRoleBaseData* pData = LoadBattleMap(
      "[1]\nMaxScale = 400\nmaxscale=401\nMaxScale2=402\n"
      "[2]\n  MaxScale=400 ; widest\nMinScale=\t100 // note\nDefScale= ;nothing\n"
      "[3]\nMaxScale=1\n[3]\nMinScale=2\n[x]\nMaxScale=5\n[-1]\nMaxScale=6\n[ 12 ]\n"
      "MaxScale=7\n[9\nMinScale=8\n");
  // Max, min and default scale of each map: the second [3] replaced the first; "[9" has no ']',
  // so the line is ignored and MinScale=8 still belongs to [ 12 ].
  EXPECT_EQ("327 256 256 400 100 256 327 2 256 5 256 256 6 256 256 - - - 7 8 256",
            Each({1u, 2u, 3u, 0u, 4294967295u, 9u, 12u}, [&](uint32_t nMap) {
              const BattleMapInfo* p = pData->GetBattleMapInfo(nMap);
              return p == nullptr ? "- - -" : Say(p->MaxScale, p->MinScale, p->DefScale);
            }));
  EXPECT_EQ(0, LoaderAsserts());
}

TEST_F(BattleMapTest, FighterPosNumbersFormGroupsInTheOrderTheyClose) {
  I3DRoleBaseData* pData = LoadBattleMap(
      "[1]\nFighterPos=1 1 0 0 0 0 0 0\nFighterPos7=1 1 7 0 0 0 0 0\n"
      "FighterPos7=2 2 7 0 0 0 0 0\nFighterPos1=1 1 10 0 0 0 0 0\nFighterPos2=1 1 20 0 0 0 0 0\n"
      "FighterPos1=1 1 11 0 0 0 0 0\nFighterPos1=3 3 11 0 0 0 0 0\n");
  const BattleMapInfo* pMap = pData->GetBattleMapInfo(1);
  ASSERT_NE(nullptr, pMap);
  ASSERT_EQ(5u, pMap->vecFighterGroup.size());
  const int32_t anNumbers[] = {0, 7, 1, 2, 1};
  const size_t anSizes[] = {1, 2, 1, 1, 2};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(anNumbers[i], pMap->vecFighterGroup[i].nNumber) << i;
    EXPECT_EQ(anSizes[i], pMap->vecFighterGroup[i].vecFighterPos.size()) << i;
  }
  // Group 1 is found as its first group only.
  ASSERT_NE(nullptr, pData->GetFighterPos(1, 1, 1, 1));
  EXPECT_EQ(10, pData->GetFighterPos(1, 1, 1, 1)->nValue[0]);
  EXPECT_EQ(nullptr, pData->GetFighterPos(1, 3, 3, 1));
  EXPECT_EQ(0, pData->GetFighterPos(1, 1, 1, 0)->nValue[0]);
  EXPECT_EQ(7, pData->GetFighterPos(1, 2, 2, 7)->nValue[0]);
}

TEST_F(BattleMapTest, ShortFighterPosStillSwitchesTheGroupAndIsAsserted) {
  I3DRoleBaseData* pData =
      LoadBattleMap("[1]\nFighterPos=1 1 0 0 0 0 0 0\nFighterPos7=1 2 3 4 5 6 7\nTorch=1 2 3 4\n");
  EXPECT_EQ(1, LoaderAsserts());
  const BattleMapInfo* pMap = pData->GetBattleMapInfo(1);
  ASSERT_EQ(2u, pMap->vecFighterGroup.size());
  EXPECT_EQ(7, pMap->vecFighterGroup[1].nNumber);
  EXPECT_TRUE(pMap->vecFighterGroup[1].vecFighterPos.empty());
  EXPECT_EQ(1, pData->GetBattleTorch1(1, 0));  // group 0 was closed by the short line
}

TEST_F(BattleMapTest, TorchReachesOnlyClosedGroupsTheFirstOfItsNumber) {
  I3DRoleBaseData* pData = LoadBattleMap(
      "[1]\nFighterPos=1 1 0 0 0 0 0 0\nTorch=9 9 9 9\n"  // group 0 still open: no effect
      "FighterPos2=1 1 0 0 0 0 0 0\nTorch=1 2 3 4\n"      // group 0 closed: set
      "FighterPos3=1 1 0 0 0 0 0 0\nTorch2=5 6 7 8\n"     // group 2 closed: set
      "Torch3=4 4 4 4\n"                                  // the last group never closes in time
      "Torch2=1 1 1\n"                                    // short: ignored silently
      "[2]\nFighterPos1=1 1 0 0 0 0 0 0\nFighterPos2=1 1 0 0 0 0 0 0\nTorchX=3 3 3 3\n"
      "[3]\nFighterPos1=1 1 0 0 0 0 0 0\nFighterPos2=1 1 0 0 0 0 0 0\n"
      "FighterPos1=1 1 0 0 0 0 0 0\nFighterPos3=1 1 0 0 0 0 0 0\nTorch1=4 3 2 1\n");
  EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 4}), Torches(pData, 1, 0));
  EXPECT_EQ((std::vector<int32_t>{5, 6, 7, 8}), Torches(pData, 1, 2));
  EXPECT_EQ((std::vector<int32_t>{0, 0, 0, 0}), Torches(pData, 1, 3));  // never set
  // TorchX is group 0, which map 2 does not have.
  EXPECT_EQ(-1, pData->GetBattleTorch1(2, 0));
  EXPECT_EQ(0, pData->GetBattleTorch1(2, 1));
  // Of two groups 1, the first one takes the torch values.
  const BattleMapInfo* pMap = pData->GetBattleMapInfo(3);
  ASSERT_EQ(4u, pMap->vecFighterGroup.size());
  EXPECT_EQ(4, pMap->vecFighterGroup[0].nTorch[0]);
  EXPECT_EQ(0, pMap->vecFighterGroup[2].nTorch[0]);
  EXPECT_EQ(0, LoaderAsserts());
}

TEST_F(BattleMapTest, ViewPositionsAreListedInFileOrderFromAnySection) {
  I3DRoleBaseData* pData = LoadBattleMap(
      "[1]\nViewPos1=1 2 3 4 5 6\nViewPos2=1 2 9 9 9 9\n[2]\nViewPosA=7 8 1 1 1 1\n"
      "ViewPos=5 5 1 1 1\n");
  const BattleViewPos* pFirst = pData->GetBattleViewPos(1, 2);
  ASSERT_NE(nullptr, pFirst);
  EXPECT_EQ(3, pFirst->nValue[0]);
  EXPECT_EQ(6, pFirst->nValue[3]);
  EXPECT_NE(nullptr, pData->GetBattleViewPos(7, 8));
  EXPECT_EQ(nullptr, pData->GetBattleViewPos(5, 5));  // five values: dropped silently
  EXPECT_EQ(nullptr, pData->GetBattleViewPos(2, 1));
  EXPECT_FALSE(BattleMapLogged()) << LogText();
}

TEST_F(BattleMapTest, ShortViewStartPosIsLoggedAndKeepsWhatConverted) {
  I3DRoleBaseData* pData = LoadBattleMap("[1]\nViewStartPos=4 5 6 7\n[2]\nViewStartPos=1 2 3\n");
  EXPECT_EQ((std::vector<int32_t>{0, 0, 1, 2, 3, 7}), Fields(pData->GetBattleViewStartPos()));
  EXPECT_EQ(1, LogCount("error on ini/BattleMap.ini -- ViewStartPos."));
  EXPECT_EQ(0, LoaderAsserts());
}

TEST_F(BattleMapTest, CameraPointsConvertAsFarAsTheyCan) {
  I3DRoleBaseData* pData = LoadBattleMap(
      "[1]\nEye=1.5 2 3\nEyeRotate=4 5 6\nTo=7 8 9\nTo=1 2\n"
      "MoveEye=-1 -2 -3\nMoveEyeRotate=0.25 0.5 1e1\nMoveTo=x 1 1\n");
  // Target, eye, rotation; To=1 2 left the third float of the target.
  EXPECT_EQ((std::vector<float>{1, 2, 9, 1.5, 2, 3, 4, 5, 6}),
            Fields<float>(pData->GetBattleCamera()));
  EXPECT_EQ((std::vector<float>{0, 0, 0, -1, -2, -3, 0.25, 0.5, 10}),
            Fields<float>(pData->GetBattleMoveCamera()));
  EXPECT_EQ(2, LoaderAsserts());  // To=1 2 and MoveTo=x 1 1, two checks
}

TEST_F(BattleMapTest, EachBadValueIsAssertedAtItsOwnCheck) {
  LoadBattleMap(
      "[1]\nStartPos=1 2 3 4\nCenterWorld=1\nMaxScale=x\nMinScale=\t-\nStartScale=y\n"
      "DefScale=y\nDefAngle=y\nStartAngle=y\nRotaryAngle=y\nCameraTime=y\nCenterCell=1\n"
      "UpArrayCellpos=1\n");
  EXPECT_EQ(12, LoaderAsserts());
}

}  // namespace
