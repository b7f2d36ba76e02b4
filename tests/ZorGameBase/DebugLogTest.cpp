// The debug log: the repeat filter, unopenable files and assertions. The record and its dated
// file are in PlatformAgreementTest.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "DebugLog.h"
#include "ModuleFixture.h"

using ZorGameBase::DebugLog;

namespace {

class DebugLogTest : public TempFolderTest {};

TEST_F(DebugLogTest, RepeatIsDroppedUntilEightOthersHavePassedTextIsFormattedOnce) {
  DebugLog("repeat %d", 1);
  DebugLog("repeat 1");  // equal text from another format
  EXPECT_EQ(1, LogCount("repeat 1 --"));
  for (int i = 0; i < 7; ++i) DebugLog("other %d", i);
  DebugLog("repeat 1");  // still one of the last eight
  EXPECT_EQ(1, LogCount("repeat 1 --"));
  DebugLog("other 7");
  DebugLog("repeat 1");
  EXPECT_EQ(2, LogCount("repeat 1 --"));
  // The text is formatted once only; a null format writes nothing.
  DebugLog(nullptr);
  DebugLog("rate %s", "100%d");
  EXPECT_TRUE(LogHas("rate 100%d -- "));
  EXPECT_EQ(11, LogCount(" -- "));
}

TEST_F(DebugLogTest, UnopenableFileWritesNothingYetTheMessageCountsAsSeen) {
  std::filesystem::remove_all(m_folder / "debug");
  Write("debug", "a file where the folder should be");
  DebugLog("lost message");
  std::filesystem::remove(m_folder / "debug");
  DebugLog("lost message");
  EXPECT_EQ(0, LogCount("lost message"));
  DebugLog("kept message");
  EXPECT_EQ(1, LogCount("kept message"));
}

// Within a batch (a load) the day's file stays open, yet each record is in it as soon as it
// is written; after the batch each record opens the file again (a removed folder comes back).
TEST_F(DebugLogTest, RecordsOfABatchAreInTheFileAtOnce) {
  {
    ZorGameBase::CLogBatch batch;
    DebugLog("in a batch %d", 1);
    EXPECT_EQ(1, LogCount("in a batch 1 -- "));
    DebugLog("in a batch %d", 2);
    EXPECT_EQ(2, LogCount("in a batch "));
  }
  std::filesystem::remove_all(m_folder / "debug");
  DebugLog("after the batch");
  EXPECT_EQ(1, LogCount("after the batch -- "));
}

struct Named {
  void Check() { ASSERT(false); }
  Named& operator=(const Named&) {
    ASSERT(FALSE_CONDITION);
    return *this;
  }
  static constexpr bool FALSE_CONDITION = false;
};

// A failed assertion logs its condition, line, file and qualified function; execution goes on.
TEST_F(DebugLogTest, FailedAssertionLogsAndExecutionGoesOn) {
  int nLen = -1;
  ASSERT(nLen >= 0);
  const int nAssertLine = __LINE__ - 1;
  std::string strExpected =
      "\xA1\xEF"
      "ASSERT(nLen >= 0) in " +
      std::to_string(nAssertLine) + " line of tests/ZorGameBase/DebugLogTest.cpp [" +
      "{anonymous}::DebugLogTest_FailedAssertionLogsAndExecutionGoesOn_Test::"
      "TestBody]\xA1\xEF -- ";
  EXPECT_TRUE(LogHas(strExpected)) << LogText();
  Named named;
  named.Check();
  named = Named();
  EXPECT_TRUE(LogHas("[{anonymous}::Named::Check]") && LogHas("[{anonymous}::Named::operator =]"))
      << LogText();
}

TEST_F(DebugLogTest, ConcurrentWritersLoseNoRecord) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 50; ++i) DebugLog("thread %d message %d", t, i);
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(200, LogCount(" message "));
}

}  // namespace
