// The exports, the service's lifecycle and its answers while every table is empty.
#include <gtest/gtest.h>

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

TEST_F(ModuleLifecycleTest, TwoQueriesShareOneAllocationAndDestroyTwiceFreesItThenNull) {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  ASSERT_NE(pData, nullptr);
  EXPECT_EQ(pData, RoleBaseDataQuery());
  ASSERT_EQ(1u, m_appUtil.m_allocs.size());
  EXPECT_STREQ("Kestrin/3DRoleBaseData", m_appUtil.m_allocs[0].strFile.c_str());
  EXPECT_EQ(22, m_appUtil.m_allocs[0].nLine);
  EXPECT_GE(m_appUtil.m_allocs[0].nSize, sizeof(void*));
  RoleBaseDataDestroy();
  RoleBaseDataDestroy();
  ASSERT_EQ(2u, m_appUtil.m_frees.size());
  EXPECT_EQ(static_cast<void*>(pData), m_appUtil.m_frees[0]);
  EXPECT_EQ(nullptr, m_appUtil.m_frees[1]);
}

// A fresh service starts with the sound switched on at volume 100 with distance fading and the
// listener at (0, 0), and without capture cameras.
TEST_F(ModuleLifecycleTest, QueryAfterDestroyAllocatesAFreshEmptyService) {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  pData->SetStoredValue1(9);
  pData->SetSoundVolume(10);
  RoleBaseDataDestroy();
  I3DRoleBaseData* pFresh = RoleBaseDataQuery();
  ASSERT_NE(pFresh, nullptr);
  EXPECT_EQ(2u, m_appUtil.m_allocs.size());
  EXPECT_EQ(0, pFresh->GetStoredValue1());
  EXPECT_EQ(75u, pFresh->GetSoundVolume(3, 4, 10, 0));
  EXPECT_EQ(nullptr, pFresh->GetCaptureCamera1());
  EXPECT_EQ(nullptr, pFresh->GetCaptureCamera2());
}

TEST_F(ModuleLifecycleTest, RefusedStorageGivesNullAndTheNextQueryTriesAgain) {
  m_appUtil.m_bRefuse = true;
  EXPECT_EQ(nullptr, RoleBaseDataQuery());
  m_appUtil.m_bRefuse = false;
  EXPECT_NE(nullptr, RoleBaseDataQuery());
  EXPECT_EQ(2u, m_appUtil.m_allocs.size());
  EXPECT_EQ("", LogText());
}

// The eight loaders that report a missing file do so once each (the fault tests name their
// lines); the others are silent.
TEST_F(ModuleLifecycleTest, CreateWithoutIniFolderAnswersZeroAndLogsTheMissingFiles) {
  Load();
  EXPECT_EQ(0, m_nCreated);
  EXPECT_EQ(8, LogCount("error on open ini/")) << LogText();
  EXPECT_EQ(8, LogCount(" -- ")) << LogText();
}

}  // namespace
