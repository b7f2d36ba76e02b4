// Crash records: the version stamp, the call-stack trace and the message bound.
#include "CrashReport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <regex>
#include <string>
#include <thread>

#include "CrashUpload.h"
#include "ModuleFixture.h"
#include "TestPlatform.h"

using namespace ZorGameBase;

namespace {

const char NO_VERSION_STAMP[] = "ReleaseVer: MsgVer:999 , FileVer:, FileTime:==";

std::string VersionStamp() {
  char szStamp[512];
  FormatVersionStamp(szStamp, sizeof(szStamp));
  return szStamp;
}

std::string Compose(const char* pszTrace, const char* pszFormat, ...) {
  char szRecord[CRASH_RECORD_SIZE];
  va_list args;
  va_start(args, pszFormat);
  ComposeCrashRecord(szRecord, pszTrace, pszFormat, args);
  va_end(args);
  return szRecord;
}

std::string ExecutableName() { return TestPlatform::ExecutableFileName(); }

// Three calls deep, each frame in this test program; none of them is a tail call.
ZOR_NOINLINE int WalkFromLevel1(char* pszOut, int nMaxIndex) {
  volatile int nLength = -1;
  if (WalkCallStack(nMaxIndex, pszOut, CRASH_TRACE_SIZE, nullptr) != nullptr) {
    nLength = static_cast<int>(strlen(pszOut));
  }
  return nLength;
}
ZOR_NOINLINE int WalkFromLevel2(char* pszOut, int nMaxIndex) {
  volatile int nLength = WalkFromLevel1(pszOut, nMaxIndex);
  return nLength;
}
ZOR_NOINLINE int WalkFromLevel3(char* pszOut, int nMaxIndex) {
  volatile int nLength = WalkFromLevel2(pszOut, nMaxIndex);
  return nLength;
}

class CrashReportTest : public TempFolderTest {
 protected:
  // A record also starts an upload; let it end before the folder goes.
  void TearDown() override {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (CrashUploadsFinished() < CrashUploadsStarted() &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    TempFolderTest::TearDown();
  }
};

// The version file goes in as it stands, line break included, up to 63 bytes; the file time is
// that of a file in the current folder with the executable's name.
TEST_F(CrashReportTest, StampTakesTheVersionFileAndTheExecutableNamesFileTime) {
  char szTime[32] = "untouched";
  EXPECT_FALSE(GetExeFileTime(szTime));
  EXPECT_STREQ("", szTime);
  EXPECT_EQ(NO_VERSION_STAMP, VersionStamp());
  const std::string strVersion = std::string(60, 'v') + "0123456789";
  Write("version.dat", strVersion);
  EXPECT_EQ("ReleaseVer:" + strVersion.substr(0, 63) + " MsgVer:999 , FileVer:, FileTime:==",
            VersionStamp());
  Write("version.dat", "1.0.17\n");
  Write(ExecutableName(), "not the program, only its name");
  std::tm tmWritten{};
  tmWritten.tm_year = 2026 - 1900, tmWritten.tm_mon = 11, tmWritten.tm_mday = 3;
  tmWritten.tm_hour = 22, tmWritten.tm_min = 10, tmWritten.tm_sec = 59;
  ASSERT_TRUE(TestPlatform::SetFileWriteTime(ExecutableName(), tmWritten));
  EXPECT_EQ("ReleaseVer:1.0.17\n MsgVer:999 , FileVer:, FileTime:20261203-2210==", VersionStamp());
}

TEST_F(CrashReportTest, FramesInOneModuleGiveOneNamedAndShortTokens) {
  char szTrace[CRASH_TRACE_SIZE];
  ASSERT_GT(WalkFromLevel3(szTrace, 2), 0);
  std::smatch match;
  std::string strTrace = szTrace;
  std::regex tokens("^\\(" + ExecutableName() +
                    " ([0-9A-F]{8,}):0\\) \\(([0-9A-F]{8,}):1\\) \\(([0-9A-F]{8,}):2\\) $");
  ASSERT_TRUE(std::regex_match(strTrace, match, tokens)) << strTrace;

  // Frame 0 returns into WalkFromLevel1, frame 1 into WalkFromLevel2, frame 2 into level 3.
  char szName[260];
  uintptr_t nBase = 0;
  ASSERT_TRUE(FindModuleOfAddress(reinterpret_cast<const void*>(&WalkFromLevel1), szName, &nBase));
  EXPECT_EQ(ExecutableName(), szName);
  const void* apFunctions[] = {reinterpret_cast<const void*>(&WalkFromLevel1),
                               reinterpret_cast<const void*>(&WalkFromLevel2),
                               reinterpret_cast<const void*>(&WalkFromLevel3)};
  for (int i = 0; i < 3; ++i) {
    uintptr_t nOffset = strtoull(match[i + 1].str().c_str(), nullptr, 16);
    uintptr_t nStart = reinterpret_cast<uintptr_t>(apFunctions[i]) - nBase;
    EXPECT_GT(nOffset, nStart) << "frame " << i;
    EXPECT_LT(nOffset, nStart + 4096) << "frame " << i;
  }

  // The walk stops after the last index asked for and refuses -1.
  ASSERT_GT(WalkFromLevel3(szTrace, 0), 0);
  EXPECT_TRUE(std::regex_match(std::string(szTrace),
                               std::regex("^\\(" + ExecutableName() + " [0-9A-F]{8,}:0\\) $")))
      << szTrace;
  strcpy(szTrace, "old");
  EXPECT_EQ(-1, WalkFromLevel3(szTrace, -1));
  EXPECT_STREQ("", szTrace);
}

// Stamp, trace, message and a line feed; an overlong message is cut, line feed and all, to keep
// the record within 4095 bytes.
TEST_F(CrashReportTest, RecordIsStampTraceAndMessageWithinItsBound) {
  const std::string strHead = std::string(NO_VERSION_STAMP) + "(x 00000010:0) ";
  EXPECT_EQ(strHead + "position 7 of 3\n", Compose("(x 00000010:0) ", "position %d of %d", 7, 3));
  std::string strFits(4095 - strHead.size() - 1, 'm');
  EXPECT_EQ(strHead + strFits + "\n", Compose("(x 00000010:0) ", "%s", strFits.c_str()));
  std::string strLong(5000, 'm');
  EXPECT_EQ(strHead + strLong.substr(0, 4095 - strHead.size()),
            Compose("(x 00000010:0) ", "%s", strLong.c_str()));
}

TEST_F(CrashReportTest, CrashRecordGoesToLogWithTraceStartingInItsCaller) {
  Write("version.dat", "R7");
  CrashRecord(nullptr, "CSafeVector() position error: *** %s %d crash! ***", "a.h", 9);
  std::regex record("ReleaseVer:R7 MsgVer:999 , FileVer:, FileTime:==\\(" + ExecutableName() +
                    " [0-9A-F]{8,}:0\\) (\\([0-9A-F]{8,}:1\\) |\\([^)]* [0-9A-F]{8,}:1\\) ).*"
                    "CSafeVector\\(\\) position error: \\*\\*\\* a\\.h 9 crash! \\*\\*\\*\n -- ");
  EXPECT_TRUE(std::regex_search(LogText(), record)) << LogText();
}

}  // namespace
