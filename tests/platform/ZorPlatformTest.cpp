// The platform seam against the operating system it is built for.
#include "ZorPlatform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "TestPlatform.h"

namespace {

class ZorPlatformTest : public TempFolderTest {};

// The same calendar as the C library's local time, day of the week and of the year included.
TEST_F(ZorPlatformTest, LocalTimeNowIsTheCLibrarysLocalTime) {
  for (int nTry = 0; nTry < 3; ++nTry) {
    std::time_t before = std::time(nullptr);
    std::tm tmNow = ZorPlatform::LocalTimeNow();
    std::time_t after = std::time(nullptr);
    std::tm tmBefore = *std::localtime(&before);
    if (before / 60 != after / 60) continue;  // a minute turned: ask again
    EXPECT_EQ(
        (std::vector<int>{tmBefore.tm_year, tmBefore.tm_mon, tmBefore.tm_mday, tmBefore.tm_hour,
                          tmBefore.tm_min, tmBefore.tm_wday, tmBefore.tm_yday}),
        (std::vector<int>{tmNow.tm_year, tmNow.tm_mon, tmNow.tm_mday, tmNow.tm_hour, tmNow.tm_min,
                          tmNow.tm_wday, tmNow.tm_yday}));
    EXPECT_TRUE(tmNow.tm_sec >= tmBefore.tm_sec &&
                tmNow.tm_sec <= tmBefore.tm_sec + (after - before));
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
