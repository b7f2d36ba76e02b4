// The exports, the service's lifecycle and its answers while every table is empty.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "ZorAppUtil.h"

namespace {

// An application utility whose memory service records every call.
class RecordingAppUtil final : public IZorAppUtil, public IZorMemory {
 public:
  struct AllocCall {
    uint32_t nSize;
    std::string strFile;
    int32_t nLine;
  };
  const char* GetName() override { return "recording"; }
  uint32_t GetVersion() override { return 1; }
  IZorMemory* GetMemory() override { return this; }
  void* Alloc(uint32_t nSize, const char* pszFile, int32_t nLine) override {
    m_allocs.push_back({nSize, pszFile, nLine});
    return m_bRefuse ? nullptr : ::operator new(nSize);
  }
  int32_t Free(void* pMemory) override {
    m_frees.push_back(pMemory);
    ::operator delete(pMemory);
    return 1;
  }
  std::vector<AllocCall> m_allocs;
  std::vector<void*> m_frees;
  bool m_bRefuse = false;
};

class ModuleLifecycleTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    IZorAppUtil::SetInstance(&m_appUtil);
  }
  void TearDown() override {
    ModuleTest::TearDown();
    IZorAppUtil::SetInstance(nullptr);
  }
  RecordingAppUtil m_appUtil;
};

TEST_F(ModuleLifecycleTest, TracerIsAskedForItsChannelWhenTheModuleLoads) {
  EXPECT_GE(ZorTracerChannelCount(), 1);
  EXPECT_STREQ("RES_SYN", ZorTracerLastChannel());
}

TEST_F(ModuleLifecycleTest, TwoQueriesShareOneAllocation) {
  I3DRoleBaseData* pFirst = RoleBaseDataQuery();
  I3DRoleBaseData* pSecond = RoleBaseDataQuery();
  ASSERT_NE(pFirst, nullptr);
  EXPECT_EQ(pFirst, pSecond);
  ASSERT_EQ(1u, m_appUtil.m_allocs.size());
  EXPECT_STREQ("Kestrin/3DRoleBaseData", m_appUtil.m_allocs[0].strFile.c_str());
  EXPECT_EQ(22, m_appUtil.m_allocs[0].nLine);
  EXPECT_GE(m_appUtil.m_allocs[0].nSize, sizeof(void*));
}

TEST_F(ModuleLifecycleTest, DestroyTwiceReleasesTheServiceThenNull) {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  RoleBaseDataDestroy();
  RoleBaseDataDestroy();
  ASSERT_EQ(2u, m_appUtil.m_frees.size());
  EXPECT_EQ(static_cast<void*>(pData), m_appUtil.m_frees[0]);
  EXPECT_EQ(nullptr, m_appUtil.m_frees[1]);
}

TEST_F(ModuleLifecycleTest, QueryAfterDestroyAllocatesAFreshEmptyService) {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  pData->SetStoredValue1(9);
  RoleBaseDataDestroy();
  I3DRoleBaseData* pFresh = RoleBaseDataQuery();
  ASSERT_NE(pFresh, nullptr);
  EXPECT_EQ(2u, m_appUtil.m_allocs.size());
  EXPECT_EQ(0, pFresh->GetStoredValue1());
}

TEST_F(ModuleLifecycleTest, RefusedStorageGivesNullAndTheNextQueryTriesAgain) {
  m_appUtil.m_bRefuse = true;
  EXPECT_EQ(nullptr, RoleBaseDataQuery());
  m_appUtil.m_bRefuse = false;
  EXPECT_NE(nullptr, RoleBaseDataQuery());
  EXPECT_EQ(2u, m_appUtil.m_allocs.size());
  EXPECT_EQ("", LogText());
}

TEST_F(ModuleLifecycleTest, StoredValuesAreSetReadClearedAndSurviveCreate) {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  EXPECT_EQ(0, pData->GetStoredValue1());
  EXPECT_EQ(0, pData->GetStoredValue2());
  pData->SetStoredValue2(4);
  pData->SetStoredValue1(-5);
  EXPECT_EQ(-5, pData->GetStoredValue1());
  EXPECT_EQ(4, pData->GetStoredValue2());
  pData->Create();
  EXPECT_EQ(-5, pData->GetStoredValue1());
  pData->ClearStoredValues();
  EXPECT_EQ(0, pData->GetStoredValue1());
  EXPECT_EQ(0, pData->GetStoredValue2());
}

TEST_F(ModuleLifecycleTest, CreateWithoutIniFolderAnswersZero) {
  Load();
  EXPECT_EQ(0, m_nCreated);
}

TEST_F(ModuleLifecycleTest, CreateAnswersOneWithOnlyThePartReplacementTable) {
  Write("ini/RolePartReplace.ini", "");
  Load();
  EXPECT_EQ(1, m_nCreated);
}

// Every query of a service whose tables are empty answers its documented default.
TEST_F(ModuleLifecycleTest, EmptyTablesAnswerTheirDefaults) {
  I3DRoleBaseData* pData = Load();
  uint32_t nMapId = 77;
  const GameMapInfo* pMap = nullptr;
  EXPECT_EQ(nullptr, pData->GetGameMapInfo(1));
  EXPECT_EQ(0, pData->GetFirstGameMapInfo(&nMapId, &pMap));
  EXPECT_EQ(0, pData->GetNextGameMapInfo(&nMapId, &pMap));
  EXPECT_EQ(77u, nMapId);
  EXPECT_EQ(nullptr, pMap);
  EXPECT_EQ(nullptr, pData->GetRegionInfo(1));
  ASSERT_NE(nullptr, pData->GetRegionList());
  EXPECT_TRUE(pData->GetRegionList()->empty());
  EXPECT_EQ(nullptr, pData->GetRegionName(1));
  EXPECT_EQ(nullptr, pData->GetSoundEventName(1));
  EXPECT_FALSE(pData->PlaySoundEvent(1, 0, 0));
  EXPECT_EQ(nullptr, pData->GetSoundFile(nullptr));
  EXPECT_EQ(nullptr, pData->GetSoundFile(""));
  EXPECT_STREQ("rain", pData->GetSoundFile("rain"));
  ListenerPos pos = pData->GetListenerPos();
  EXPECT_EQ(0, pos.x);
  EXPECT_EQ(0, pos.y);
  EXPECT_EQ(nullptr, pData->GetTerrainNpcInfo(1));
  const BattlePos* pDefault = pData->GetBattlePos(1, 0);
  ASSERT_NE(nullptr, pDefault);
  EXPECT_EQ(0, pDefault->x);
  EXPECT_EQ(0, pDefault->y);
  EXPECT_EQ(0, pData->GetBattleRotaryAngle(1));
  EXPECT_EQ(1000, pData->GetBattleCameraTime(1));
  EXPECT_EQ(-1, pData->GetBattleTorch1(1, 1));
  EXPECT_EQ(-1, pData->GetBattleTorch2(1, 1));
  EXPECT_EQ(-1, pData->GetBattleTorch3(1, 1));
  EXPECT_EQ(-1, pData->GetBattleTorch4(1, 1));
  EXPECT_EQ(nullptr, pData->GetBattleViewPos(1, 1));
  ASSERT_NE(nullptr, pData->GetBattleViewStartPos());
  const BattleViewPos zero{};
  EXPECT_EQ(0, memcmp(pData->GetBattleViewStartPos(), &zero, sizeof(BattleViewPos)));
  EXPECT_EQ(pDefault, pData->GetBattleArrayCellPos(1));
  EXPECT_EQ(pDefault, pData->GetBattleArrayCellPos(2));
  EXPECT_NE(nullptr, pData->GetBattleCamera());
  EXPECT_NE(nullptr, pData->GetBattleMoveCamera());
  EXPECT_EQ(nullptr, pData->GetCaptureCamera1());
  EXPECT_EQ(nullptr, pData->GetCaptureCamera2());
  EXPECT_EQ(nullptr, pData->GetBattleDiveInfo());
  EXPECT_EQ(nullptr, pData->GetFighterPos(1, 1, 1, 1));
  EXPECT_EQ(nullptr, pData->GetFighterPosOffset(1));
  EXPECT_EQ(nullptr, pData->GetBattleStartPos(1, 1, 1));
  EXPECT_EQ(nullptr, pData->GetBattleMapInfo(0));
  EXPECT_EQ(nullptr, pData->GetCameraTrackInfo("track"));
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("track"));
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames(nullptr));
  EXPECT_EQ(nullptr, pData->GetNpcInfo(1));
  EXPECT_EQ(nullptr, pData->GetNpcStarLookInfo(1));
  EXPECT_EQ(0, pData->IsRolePartHidden(1, 2, 3, 4, 5, "head"));
  EXPECT_FLOAT_EQ(1.0f, pData->GetRolePartScale(1, 2));
  EXPECT_FLOAT_EQ(1.0f, pData->GetLookScale(1));
  EXPECT_FLOAT_EQ(1.0f, pData->GetMountScale(1, 2));
  EXPECT_FALSE(pData->Is2DRoleLook(1));
  EXPECT_EQ(0u, pData->GetAppendentWeapon(5));
  EXPECT_EQ(5u, pData->GetWeaponAdjustByLook(5, 1));
  EXPECT_EQ(nullptr, pData->GetAction3DEffect(1, 2, 3, 4));
  EXPECT_EQ(nullptr, pData->GetRoleWeapon3DEffect(1, 2, 3, 4));
  EXPECT_EQ(nullptr, pData->GetActionSound(1, 2, 3));
  EXPECT_EQ(nullptr, pData->GetSimpleObjInfo(1));
  EXPECT_EQ(nullptr, pData->GetRoleTraceInfo(1));
  EXPECT_EQ(nullptr, pData->GetRolePartReplaceInfo(1));
}

}  // namespace
