// The platform seam against the operating system it is built for.
#include "ZorPlatform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "ModuleFixture.h"
#include "TestPlatform.h"

namespace {

class ZorPlatformTest : public TempFolderTest {};

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
