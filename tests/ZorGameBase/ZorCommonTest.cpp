// The string helpers: bounded copy and GBK-aware searches.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ModuleFixture.h"
#include "ZorCommon.h"

using ZorGameBase::ZorStrChr;
using ZorGameBase::ZorStrCopy;
using ZorGameBase::ZorStrrChr;

namespace {

class ZorStrTest : public TempFolderTest {};

// The copy cuts to the length and zero-fills the rest; misuse asserts and leaves the target alone.
TEST_F(ZorStrTest, CopyCutsToLengthZeroFillsAndRefusesMisuse) {
  char sz[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_TRUE(ZorStrCopy(sz, "ab", 6));
  EXPECT_EQ(std::string("ab\0\0\0\0xx", 8), std::string(sz, 8));
  EXPECT_TRUE(ZorStrCopy(sz, "abcdef", 4));
  EXPECT_EQ(std::string("abc\0\0\0xx", 8), std::string(sz, 8));
  EXPECT_EQ("", LogText());
  EXPECT_FALSE(ZorStrCopy(sz, "abc", 0) || ZorStrCopy(sz, "abc", 0x100001));
  EXPECT_FALSE(ZorStrCopy(nullptr, "abc", 4) || ZorStrCopy(sz, nullptr, 4));
  EXPECT_EQ(std::string("abc\0\0\0xx", 8), std::string(sz, 8));
  EXPECT_EQ(2, LogCount("\xA1\xEF"
                        "ASSERT(false) in "))
      << LogText();  // one per site
  EXPECT_TRUE(LogHas("line of ZorGameBase/ZorCommon.cpp [ZorGameBase::ZorStrCopy]\xA1\xEF"));
}

TEST_F(ZorStrTest, SearchesNeverMatchATrailByteAndNullTextAsserts) {
  // B0 5C is one character whose trail byte is the backslash.
  const char* pszText = "a\xB0\x5C" "b\\c\xB0\x5C";
  struct Case {
    unsigned nChar;
    int nFirst;  // -1: not found
    int nLast;
  } cases[] = {
      {'\\', 4, 4}, {'a', 0, 0}, {'c', 5, 5}, {0xB05C, 1, 6}, {0xB0, -1, -1}, {'z', -1, -1},
      {0, 8, 8},  // the terminating zero
  };
  for (const Case& c : cases) {
    const char* pFirst = ZorStrChr(pszText, c.nChar);
    const char* pLast = ZorStrrChr(pszText, c.nChar);
    EXPECT_EQ(c.nFirst, pFirst == nullptr ? -1 : static_cast<int>(pFirst - pszText)) << c.nChar;
    EXPECT_EQ(c.nLast, pLast == nullptr ? -1 : static_cast<int>(pLast - pszText)) << c.nChar;
  }
  EXPECT_EQ(nullptr, ZorStrChr("\xB0\x5C", '\\'));
  const char* pszLoneLead = "ab\x81";  // a lead byte at the end stands alone
  EXPECT_EQ(pszLoneLead + 2, ZorStrChr(pszLoneLead, 0x81));
  char szLine[] = "[12]x";
  char* pClose = ZorStrChr(szLine, ']');
  ASSERT_NE(nullptr, pClose);
  *pClose = '\0';
  EXPECT_STREQ("[12", szLine);
  EXPECT_EQ(nullptr, ZorStrChr(static_cast<const char*>(nullptr), 'a'));
  EXPECT_EQ(nullptr, ZorStrrChr(static_cast<const char*>(nullptr), 'a'));
  EXPECT_TRUE(LogHas("[ZorGameBase::ZorStrChr]")) << LogText();  // null text asserts
  EXPECT_TRUE(LogHas("[ZorGameBase::ZorStrrChr]")) << LogText();
}

}  // namespace
