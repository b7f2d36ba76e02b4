// The crash library's platform services against the operating system it is built for.
#include "CrashPlatform.h"

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
using namespace CrashPlatform;

namespace {

class CrashPlatformTest : public TempFolderTest {};

// The time is read back in local time, the day of the week (a Thursday) and of the year (3
// December of a common year) included; a folder has one too, a pattern names no file.
TEST_F(CrashPlatformTest, FileWriteTimeIsReadBackInLocalTime) {
  Write("stamped.exe", "x");
  std::tm tmSet{};
  tmSet.tm_year = 2026 - 1900, tmSet.tm_mon = 11, tmSet.tm_mday = 3;
  tmSet.tm_hour = 22, tmSet.tm_min = 10, tmSet.tm_sec = 58;
  ASSERT_TRUE(TestPlatform::SetFileWriteTime("stamped.exe", tmSet));
  std::tm tmRead{};
  ASSERT_TRUE(GetFileWriteTime("stamped.exe", &tmRead));
  EXPECT_EQ((std::vector<int>{126, 11, 3, 22, 10, 58, 4, 336}),
            (std::vector<int>{tmRead.tm_year, tmRead.tm_mon, tmRead.tm_mday, tmRead.tm_hour,
                              tmRead.tm_min, tmRead.tm_sec, tmRead.tm_wday, tmRead.tm_yday}));
  fs::create_directory(m_folder / "folder");
  EXPECT_TRUE(GetFileWriteTime("folder", &tmRead));
  for (const char* pszNone : {"a?.txt", "*", "missing.exe", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(GetFileWriteTime(pszNone, &tmRead)) << (pszNone ? pszNone : "null");
  EXPECT_FALSE(GetFileWriteTime("stamped.exe", nullptr));
}

// The executable's full path, or nothing when it does not fit; an image is named bare.
TEST_F(CrashPlatformTest, ExecutableAndImagesOfAddresses) {
  char szPath[4096];
  ASSERT_TRUE(GetExecutablePath(szPath, sizeof(szPath)));
  EXPECT_TRUE(fs::path(szPath).is_absolute() && fs::is_regular_file(szPath)) << szPath;
  EXPECT_EQ(TestPlatform::ExecutableFileName(), fs::path(szPath).filename().string());
  char szShort[4] = "old";
  EXPECT_FALSE(GetExecutablePath(szShort, sizeof(szShort)));

  char szName[260];
  uintptr_t nBase = 0;
  const void* pInProgram = reinterpret_cast<const void*>(&TestPlatform::ExecutableFileName);
  ASSERT_TRUE(FindModuleOfAddress(pInProgram, szName, sizeof(szName), &nBase));
  EXPECT_EQ(TestPlatform::ExecutableFileName(), szName);
  EXPECT_LE(nBase, reinterpret_cast<uintptr_t>(pInProgram));
  // The application utility is a library of its own beside the program.
  const void* pInSibling = reinterpret_cast<const void*>(&QueryZorTracer);
  uintptr_t nSiblingBase = 0;
  ASSERT_TRUE(FindModuleOfAddress(pInSibling, szName, sizeof(szName), &nSiblingBase));
  EXPECT_NE(nullptr, strstr(szName, "ZorAppUtil")) << szName;
  EXPECT_NE(nBase, nSiblingBase);
  ASSERT_TRUE(FindModuleOfAddress(TestPlatform::SystemLibraryFunction(), szName, sizeof(szName),
                                  &nSiblingBase));
  std::string strLower = szName;
  for (char& ch : strLower) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
  EXPECT_NE(std::string::npos, strLower.find(TestPlatform::SharedLibrarySuffix())) << szName;
  EXPECT_EQ(nullptr, strpbrk(szName, "/\\")) << szName;
  char szCut[4];
  ASSERT_TRUE(FindModuleOfAddress(pInSibling, szCut, sizeof(szCut), nullptr));
  EXPECT_EQ(3u, strlen(szCut));
  std::unique_ptr<int> pHeap(new int(7));
  EXPECT_FALSE(FindModuleOfAddress(pHeap.get(), szName, sizeof(szName), &nBase));
  EXPECT_STREQ("", szName);
}

// The walk stops at its limit; nothing to store in, nothing stored.
TEST_F(CrashPlatformTest, CaptureStackFramesStopsAtItsLimit) {
  void* apFrames[4] = {};
  EXPECT_EQ(1, CaptureStackFrames(apFrames, 1));
  EXPECT_NE(nullptr, apFrames[0]);
  EXPECT_TRUE(apFrames[1] == nullptr &&
              CaptureStackFrames(apFrames, 0) + CaptureStackFrames(nullptr, 4) == 0);
}

}  // namespace
