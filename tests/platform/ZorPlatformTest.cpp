// The platform seam against the operating system it is built for.
#include "ZorPlatform.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "TestPlatform.h"
#include "ZorAppUtil.h"

namespace fs = std::filesystem;

namespace {

class ZorPlatformTest : public TempFolderTest {};

TEST_F(ZorPlatformTest, MakeDirectoryIsTrueWhenTheFolderExistsAfterwards) {
  EXPECT_TRUE(ZorPlatform::MakeDirectory("debug"));
  EXPECT_TRUE(fs::is_directory(m_folder / "debug"));
  EXPECT_TRUE(ZorPlatform::MakeDirectory("debug"));  // already there
  Write("file", "a file, not a folder");
  EXPECT_FALSE(ZorPlatform::MakeDirectory("file"));
  EXPECT_FALSE(ZorPlatform::MakeDirectory("missing/child"));  // one level only
  EXPECT_FALSE(fs::exists(m_folder / "missing"));
  EXPECT_FALSE(ZorPlatform::MakeDirectory(nullptr));
}

bool SameMinute(const std::tm& a, const std::tm& b) {
  return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday &&
         a.tm_hour == b.tm_hour && a.tm_min == b.tm_min;
}

// The same calendar as the C library's local time, day of the week and of the year included.
TEST_F(ZorPlatformTest, LocalTimeNowIsTheCLibrarysLocalTime) {
  for (int nTry = 0; nTry < 3; ++nTry) {
    std::time_t before = std::time(nullptr);
    std::tm tmNow = ZorPlatform::LocalTimeNow();
    std::time_t after = std::time(nullptr);
    std::tm tmBefore = *std::localtime(&before);
    std::tm tmAfter = *std::localtime(&after);
    if (!SameMinute(tmBefore, tmAfter)) continue;  // a minute turned: ask again
    EXPECT_TRUE(SameMinute(tmBefore, tmNow));
    EXPECT_EQ(tmBefore.tm_wday, tmNow.tm_wday);
    EXPECT_EQ(tmBefore.tm_yday, tmNow.tm_yday);
    EXPECT_GE(tmNow.tm_sec, tmBefore.tm_sec);
    EXPECT_LE(tmNow.tm_sec, tmAfter.tm_sec);
    return;
  }
  FAIL() << "the minute kept turning";
}

TEST_F(ZorPlatformTest, DebuggerOutputGoesToTheSinkWhileOneIsSet) {
  static std::string s_strSeen;
  s_strSeen.clear();
  ZorPlatform::SetDebuggerSink([](const char* pszText) { s_strSeen += pszText; });
  ZorPlatform::DebuggerOutput("first\n");
  ZorPlatform::DebuggerOutput(nullptr);
  ZorPlatform::SetDebuggerSink(nullptr);
  ZorPlatform::DebuggerOutput("to the system's channel\n");  // dropped without a debugger
  EXPECT_EQ("first\n", s_strSeen);
}

// The time is read back in local time, the day of the week (a Thursday) and of the year (3
// December of a common year) included; a folder has one too, a pattern names no file.
TEST_F(ZorPlatformTest, FileWriteTimeIsReadBackInLocalTime) {
  Write("stamped.exe", "x");
  std::tm tmSet{};
  tmSet.tm_year = 2026 - 1900, tmSet.tm_mon = 11, tmSet.tm_mday = 3;
  tmSet.tm_hour = 22, tmSet.tm_min = 10, tmSet.tm_sec = 58;
  ASSERT_TRUE(TestPlatform::SetFileWriteTime("stamped.exe", tmSet));
  std::tm tmRead{};
  ASSERT_TRUE(ZorPlatform::GetFileWriteTime("stamped.exe", &tmRead));
  EXPECT_EQ((std::vector<int>{126, 11, 3, 22, 10, 58, 4, 336}),
            (std::vector<int>{tmRead.tm_year, tmRead.tm_mon, tmRead.tm_mday, tmRead.tm_hour,
                              tmRead.tm_min, tmRead.tm_sec, tmRead.tm_wday, tmRead.tm_yday}));

  fs::create_directory(m_folder / "folder");
  EXPECT_TRUE(ZorPlatform::GetFileWriteTime("folder", &tmRead));
  EXPECT_GE(tmRead.tm_year, 2000 - 1900);
  Write("a1.txt", "x");
  EXPECT_FALSE(ZorPlatform::GetFileWriteTime("a?.txt", &tmRead));
  EXPECT_FALSE(ZorPlatform::GetFileWriteTime("*", &tmRead));
  EXPECT_FALSE(ZorPlatform::GetFileWriteTime("missing.exe", &tmRead));
  EXPECT_FALSE(ZorPlatform::GetFileWriteTime(nullptr, &tmRead));
  EXPECT_FALSE(ZorPlatform::GetFileWriteTime("a1.txt", nullptr));
}

TEST_F(ZorPlatformTest, ExecutablePathNamesThisProgramAndNeedsRoomForAll) {
  char szPath[4096];
  ASSERT_TRUE(ZorPlatform::GetExecutablePath(szPath, sizeof(szPath)));
  fs::path path(szPath);
  EXPECT_TRUE(path.is_absolute()) << szPath;
  EXPECT_EQ(TestPlatform::ExecutableFileName(), path.filename().string());
  EXPECT_TRUE(fs::is_regular_file(path)) << szPath;
  char szShort[4] = "old";
  EXPECT_FALSE(ZorPlatform::GetExecutablePath(szShort, sizeof(szShort)));
  EXPECT_FALSE(ZorPlatform::GetExecutablePath(nullptr, 10));
}

// A module is named bare, without its folder.
TEST_F(ZorPlatformTest, ModuleOfAddressInProgramLibrariesAndNowhere) {
  char szName[260];
  uintptr_t nBase = 0;
  const void* pInProgram = reinterpret_cast<const void*>(&SameMinute);
  ASSERT_TRUE(ZorPlatform::FindModuleOfAddress(pInProgram, szName, sizeof(szName), &nBase));
  EXPECT_EQ(TestPlatform::ExecutableFileName(), szName);
  EXPECT_LE(nBase, reinterpret_cast<uintptr_t>(pInProgram));

  // The application utility is a library of its own beside the program.
  const void* pInSibling = reinterpret_cast<const void*>(&QueryZorTracer);
  uintptr_t nSiblingBase = 0;
  ASSERT_TRUE(ZorPlatform::FindModuleOfAddress(pInSibling, szName, sizeof(szName), &nSiblingBase));
  EXPECT_NE(nullptr, strstr(szName, "ZorAppUtil")) << szName;
  EXPECT_NE(nBase, nSiblingBase);
  ASSERT_TRUE(ZorPlatform::FindModuleOfAddress(TestPlatform::SystemLibraryFunction(), szName,
                                               sizeof(szName), &nSiblingBase));
  std::string strLower = szName;
  for (char& ch : strLower) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
  EXPECT_NE(std::string::npos, strLower.find(TestPlatform::SharedLibrarySuffix())) << szName;
  EXPECT_EQ(nullptr, strpbrk(szName, "/\\")) << szName;
  EXPECT_NE(0u, nSiblingBase);
  char szCut[4];
  ASSERT_TRUE(ZorPlatform::FindModuleOfAddress(pInSibling, szCut, sizeof(szCut), nullptr));
  EXPECT_EQ(3u, strlen(szCut));

  std::unique_ptr<int> pHeap(new int(7));
  strcpy(szName, "old");
  EXPECT_FALSE(ZorPlatform::FindModuleOfAddress(pHeap.get(), szName, sizeof(szName), &nBase));
  EXPECT_STREQ("", szName);
}

// Frames are return addresses into the callers, outermost last; each skipped frame drops one.
__attribute__((noinline)) int CaptureTwice(void** apNoSkip, void** apSkipOne, int nMax) {
  int nNoSkip = ZorPlatform::CaptureStackFrames(apNoSkip, nMax, 0);
  int nSkipOne = ZorPlatform::CaptureStackFrames(apSkipOne, nMax, 1);
  return nNoSkip > 0 && nSkipOne > 0 ? nNoSkip : -1;
}

TEST_F(ZorPlatformTest, CaptureStackFramesSkipsFramesAndStopsAtItsLimit) {
  void* apNoSkip[4] = {};
  void* apSkipOne[4] = {};
  ASSERT_EQ(4, CaptureTwice(apNoSkip, apSkipOne, 4));
  EXPECT_EQ(apNoSkip[1], apSkipOne[0]);
  EXPECT_EQ(apNoSkip[2], apSkipOne[1]);
  // Frame 0 returns into this test, in this program.
  char szName[260];
  ASSERT_TRUE(ZorPlatform::FindModuleOfAddress(apNoSkip[0], szName, sizeof(szName), nullptr));
  EXPECT_EQ(TestPlatform::ExecutableFileName(), szName);

  void* apOne[1] = {};
  EXPECT_EQ(1, ZorPlatform::CaptureStackFrames(apOne, 1, 0));
  EXPECT_EQ(0, ZorPlatform::CaptureStackFrames(apOne, 0, 0));
  EXPECT_EQ(0, ZorPlatform::CaptureStackFrames(nullptr, 4, 0));
  EXPECT_EQ(0, ZorPlatform::CaptureStackFrames(apOne, 1, -1));
}

TEST_F(ZorPlatformTest, ReadableStringProbeStopsAtUnreadableMemory) {
  EXPECT_TRUE(ZorPlatform::IsReadableString("wind") && ZorPlatform::IsReadableString(""));
  EXPECT_FALSE(ZorPlatform::IsReadableString(nullptr));

  size_t nSize = 0;
  char* pUnreadable = TestPlatform::UnreadablePage(&nSize);
  ASSERT_NE(nullptr, pUnreadable);
  EXPECT_FALSE(ZorPlatform::IsReadableString(pUnreadable) ||
               ZorPlatform::IsReadableString(pUnreadable + nSize / 2));

  // Text to the end of a readable page: its terminating zero decides.
  char* pPage = TestPlatform::PageBeforeUnreadablePage(&nSize);
  ASSERT_NE(nullptr, pPage);
  memset(pPage, 'x', nSize);
  EXPECT_FALSE(ZorPlatform::IsReadableString(pPage) ||  // runs into the unreadable page
               ZorPlatform::IsReadableString(pPage + nSize - 1));
  pPage[nSize - 1] = '\0';
  EXPECT_TRUE(ZorPlatform::IsReadableString(pPage) &&
              ZorPlatform::IsReadableString(pPage + nSize - 1));
}

}  // namespace
