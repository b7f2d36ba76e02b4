// The counted string: sharing, copy on write, the static empty block, GBK comparison, and the
// assertion records of misuse; the plain-text helpers beside it: bounded copy and GBK-aware
// searches.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ModuleFixture.h"
#include "ZorCommon.h"
#include "ZorString.h"

using ZorGameBase::ZorStrChr;
using ZorGameBase::ZorStrCopy;
using ZorGameBase::ZorStrrChr;
using ZorString::CZorString;

namespace {

class ZorStringTest : public TempFolderTest {};
using ZorStrTest = ZorStringTest;

// Exposes the block operations that only the class itself calls.
struct BlockProbe : CZorString {
  using CZorString::AllocBuffer;
};

// The text block a string points to.
const char* Block(const CZorString& s) { return s; }
int Refs(const CZorString& s) { return s.GetData()->nRefs.load(); }

// Copies share one block counted until released; empty strings share the static block, whose
// count (-1) copies never change.
TEST_F(ZorStringTest, CopiesShareOneCountedBlockEmptyOnesTheStaticBlock) {
  CZorString empty, other, text("effect01");
  EXPECT_EQ(Block(empty), Block(other));
  for (CZorString* p : {&empty, &text}) {
    const int nRefs = p == &empty ? -1 : 1;
    EXPECT_EQ(nRefs, Refs(*p));
    {
      CZorString c(*p), d;
      d = c;
      EXPECT_EQ(Block(*p), Block(c));
      EXPECT_EQ(Block(*p), Block(d));
      EXPECT_EQ(p == &empty ? -1 : 3, Refs(*p));
    }
    EXPECT_EQ(nRefs, Refs(*p));
  }
  EXPECT_EQ(0, empty.GetData()->nLength);
  EXPECT_EQ(8, text.GetLength());
}

// Assigning the text a shared string already holds changes nothing; other text gives it a
// private block and leaves the other string its old text. AssignText, from a text the caller
// holds, does the same, length 0 giving the empty text.
TEST_F(ZorStringTest, AssigningTextToASharedStringGivesItAPrivateBlockUnlessTheTextIsTheSame) {
  CZorString a("old");
  CZorString b(a);
  b = "old";
  EXPECT_EQ(Block(a), Block(b));
  EXPECT_EQ(2, Refs(a));
  b = "new";
  EXPECT_STREQ("old", a);
  EXPECT_STREQ("new", b);
  EXPECT_TRUE(Refs(a) == 1 && Refs(b) == 1);

  CZorString c;
  c.AssignText("map/harbor.dmap", 15);
  b = c;
  c.AssignText("map/harbor.dmap", 15);
  EXPECT_EQ(Block(b), Block(c));
  EXPECT_EQ(2, Refs(c));
  c.AssignText("map/harbor.dmapXX", 10);  // the first ten characters only
  EXPECT_STREQ("map/harbor", c);
  EXPECT_STREQ("map/harbor.dmap", b);
  c.AssignText("", 0);
  EXPECT_TRUE(c.IsEmpty());
  // Its own text assigns too; a null pointer gives the empty text and compares unequal.
  a = static_cast<const char*>(a) + 1;
  EXPECT_STREQ("ld", a);
  EXPECT_EQ(1, a.Compare(nullptr));
  a = static_cast<const char*>(nullptr);
  EXPECT_STREQ("", a);
  EXPECT_STREQ("", CZorString(static_cast<const char*>(nullptr)));
  EXPECT_EQ("", LogText());
}

TEST_F(ZorStringTest, CompareTakesGbkCharactersWhole) {
  struct Case {
    const char* pszLeft;
    const char* pszRight;
    int nSign;
  } cases[] = {
      {"abc", "abc", 0}, {"abc", "abd", -1},           {"abd", "abc", 1},
      {"ab", "abc", -1}, {"\xB0\xA1x", "\xB0\xA1x", 0}, {"\xB0\xA1", "\xB0\xA2", -1},
      {"", "", 0},
      {"\xB0\xA1", "a", 1},  // a double-byte character sorts after every single byte
  };
  for (const Case& c : cases) {
    int nResult = CZorString(c.pszLeft).Compare(c.pszRight);
    int nSign = nResult < 0 ? -1 : nResult > 0 ? 1 : 0;
    EXPECT_EQ(c.nSign, nSign) << c.pszLeft << " vs " << c.pszRight;
  }
  EXPECT_TRUE(CZorString("Sound") == "Sound" && "Sound" != CZorString("sound") &&
              CZorString("Sound") == CZorString("Sound") && CZorString("Sound") != CZorString());
}

TEST_F(ZorStringTest, LengthOutOfRangeWritesItsAssertionAndGivesTheEmptyString) {
  BlockProbe probe;
  probe.AllocBuffer(-1);
  EXPECT_TRUE(probe.IsEmpty() && Refs(probe) == -1);
  probe.AllocBuffer(INT_MAX);
  EXPECT_TRUE(probe.IsEmpty() && Refs(probe) == -1);
  EXPECT_EQ(1, LogCount("ASSERT(nLen >= 0) in ")) << LogText();
  EXPECT_EQ(1, LogCount("ASSERT(nLen <= INT_MAX-1) in "));
  EXPECT_EQ(2, LogCount("[ZorString::CZorString::AllocBuffer]"));
}

TEST_F(ZorStringTest, ConcurrentCopiesOfASharedBlockKeepTheCount) {
  CZorString shared("shared name");
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&shared] {
      for (int i = 0; i < 20000; ++i) {
        CZorString copy(shared), other;
        other = copy;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(1, Refs(shared));
  EXPECT_STREQ("shared name", shared);
}

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
  const char* pszText =
      "a\xB0\x5C"
      "b\\c\xB0\x5C";
  struct Case {
    unsigned nChar;
    int nFirst;  // -1: not found
    int nLast;
  } cases[] = {
      {'\\', 4, 4},   {'a', 0, 0},   {'c', 5, 5}, {0xB05C, 1, 6},
      {0xB0, -1, -1}, {'z', -1, -1}, {0, 8, 8},  // the terminating zero
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
