// The checked vector: good indexes give elements, bad ones a crash record and a fresh blank.
#include "SafeVector"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "CrashUpload.h"
#include "I3DRoleBaseData.h"
#include "ModuleFixture.h"

using ZorGameBase::CSafeVector;

namespace {

const char BAD_INDEX_MESSAGE[] =
    "CSafeVector() position error: *** include/SafeVector 83 crash! ***";

class SafeVectorTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    m_vec.push_back(RoleTraceInfo{10020003, -1, 2, 3, 4, 0.5f});
    m_vec.push_back(RoleTraceInfo{19990003, 5, 6, 7, 8, 1.5f});
  }
  // Each record starts an upload; let them end before the folder goes.
  void TearDown() override {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ZorGameBase::CrashUploadsFinished() < ZorGameBase::CrashUploadsStarted() &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    TempFolderTest::TearDown();
  }
  static bool IsBlank(const RoleTraceInfo& info) {
    return info.Key == 0 && info.Field2 == 0 && info.Field3 == 0 && info.Field4 == 0 &&
           info.Field5 == 0 && info.Field6 == 0.0f;
  }

  CSafeVector<RoleTraceInfo> m_vec;
};

TEST_F(SafeVectorTest, GoodIndexesGiveTheElementsBadOnesBlanksAndCrashRecords) {
  const CSafeVector<RoleTraceInfo>& constVec = m_vec;
  EXPECT_TRUE(m_vec[0].Key == 10020003 && &m_vec.back() == &m_vec[1] && constVec[1].Field3 == 6u);
  EXPECT_EQ("", LogText());

  // -1 and the size give distinct zeroed blanks and a crash record each.
  RoleTraceInfo& below = m_vec[-1];
  RoleTraceInfo& above = m_vec[2];
  EXPECT_NE(&below, &above);
  EXPECT_TRUE(IsBlank(below) && IsBlank(above));
  EXPECT_EQ(2u, m_vec.size());
  EXPECT_EQ(2, LogCount(BAD_INDEX_MESSAGE)) << LogText();
  EXPECT_EQ(2, LogCount("ReleaseVer: MsgVer:999 , FileVer:, FileTime:==("));

  below.Key = 77;
  above.Field6 = 2.5f;
  EXPECT_TRUE(below.Field6 == 0.0f && above.Key == 0);
  EXPECT_TRUE(m_vec[0].Key == 10020003 && m_vec[1].Key == 19990003);
}

TEST_F(SafeVectorTest, BlankOutlivesClearAndMoveOfTheVector) {
  RoleTraceInfo& blank = m_vec[5];
  blank.Field4 = 9;
  m_vec.clear();
  CSafeVector<RoleTraceInfo> vecOther;
  vecOther.push_back(RoleTraceInfo{1, 1, 1, 1, 1, 1.0f});
  m_vec = std::move(vecOther);
  EXPECT_EQ(9u, blank.Field4);  // still owned by m_vec
  EXPECT_EQ(1u, m_vec.size());
  CSafeVector<RoleTraceInfo> vecCopy(m_vec);
  EXPECT_EQ(0u, vecCopy.BlankCount());
  EXPECT_EQ(1, vecCopy[0].Key);
}

}  // namespace
