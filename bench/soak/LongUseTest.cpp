// Hours of use, compressed: a thousand client sessions over the example data set, each the
// query, Create, the sound operations and the end of the service. The first ten sessions and
// one after them all answer alike, table by table, and the heap holds no more after the last
// session than after the tenth: nothing a session allocates outlives it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "MemoryUse.h"
#include "ModuleFixture.h"
#include "TableAnswers.h"
#include "UlmLogic.h"
#include "ZorSound.h"

namespace {

// Sessions per run; scripts/memcheck.sh asks for fewer under valgrind through the environment.
int SessionCount() {
  const char* pszCount = getenv("KESTRIN_LONG_USE_SESSIONS");
  int nCount = pszCount != nullptr ? atoi(pszCount) : 0;
  return nCount > 0 ? nCount : 1000;
}

class LongUseTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    CopyExampleData(m_folder);
  }
  void TearDown() override {
    ZorSoundReset();
    ClearResourceDemands();
    ModuleTest::TearDown();
  }

  // The sound operations on the stand-in managers, then the sounds are forgotten again.
  static void PlaySounds(I3DRoleBaseData* pData) {
    pData->SetListenerPos(10, 10);
    EXPECT_TRUE(pData->PlaySound("button_click", 1, 0, false));
    EXPECT_TRUE(pData->PlaySoundAt("level_up", 12, 10, 50, 2, true));
    EXPECT_TRUE(pData->UpdateSoundAt("level_up", 30, 10, 50, 2, false));
    EXPECT_TRUE(pData->PlaySoundEvent(2, 3, 0));
    EXPECT_FALSE(pData->PlaySoundEvent(99, 3, 0));
    EXPECT_TRUE(pData->StopSound("button_click"));
    pData->SetListenerPos(ListenerPos{0, 0});
    ZorSoundReset();
  }
};

TEST_F(LongUseTest, ThousandSessionsAnswerAlikeAndKeepNothing) {
  AddResourceDemand("sound/level_up.wav");
  const int nSessions = SessionCount();
  std::string strFirst;
  size_t nHeapAfterTenth = 0;
  int nLogLines = 0;
  for (int nSession = 1; nSession <= nSessions; ++nSession) {
    I3DRoleBaseData* pData = Load();
    ASSERT_NE(nullptr, pData);
    ASSERT_EQ(1, m_nCreated);
    PlaySounds(pData);
    if (nSession == 1) {
      strFirst = DescribeAnswers(pData);
      nLogLines = LogCount("");
    } else if (nSession <= 10) {  // the answers cost more than a session: the first ten
      ASSERT_EQ(strFirst, DescribeAnswers(pData)) << "session " << nSession;
    }
    RoleBaseDataDestroy();
    if (nSession == 10) nHeapAfterTenth = MemoryUse::HeapInUse();
  }
  if (nSessions >= 10) {
    // One byte a session kept would show.
    EXPECT_LT(MemoryUse::HeapInUse(), nHeapAfterTenth + static_cast<size_t>(nSessions - 10));
  }
  EXPECT_EQ(strFirst, DescribeAnswers(Load())) << "a session after them all";
  EXPECT_EQ(nLogLines, LogCount("")) << LogText();  // repeats are filtered, nothing new
}

// The same service loaded again and again: the tables are replaced or added to as each
// family's rules say, and the answers of a reload are those of the first load.
TEST_F(LongUseTest, HundredReloadsOfOneServiceAnswerAsTheFirst) {
  I3DRoleBaseData* pData = Load();
  ASSERT_NE(nullptr, pData);
  std::string strFirst = DescribeAnswers(pData);
  for (int nLoad = 2; nLoad <= 100; ++nLoad) {
    ASSERT_EQ(1, pData->Create());
    if (nLoad % 10 == 0) {
      ASSERT_EQ(strFirst, DescribeAnswers(pData)) << "load " << nLoad;
    }
  }
}

}  // namespace
