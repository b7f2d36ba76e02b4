// The string helpers (bounded copy, GBK-aware searches) and the plain ini lookup.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ModuleFixture.h"
#include "ZorCommon.h"
#include "ZorPlatform.h"

using ZorGameBase::GetIniValue;
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

// The plain lookup, with what it sends to the debugger output.
class GetIniValueTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    s_strDebugger.clear();
    ZorPlatform::SetDebuggerSink([](const char* pszText) { s_strDebugger += pszText; });
  }
  void TearDown() override {
    ZorPlatform::SetDebuggerSink(nullptr);
    TempFolderTest::TearDown();
  }
  // The value of key, or "<none>"; the buffer starts as "untouched".
  std::string Lookup(const char* pszSection, const char* pszKey, bool bLogToFile = false) {
    char szValue[1024] = "untouched";
    bool bFound = GetIniValue("ini/GameSetup.ini", pszSection, pszKey, szValue, bLogToFile);
    if (!bFound) {
      EXPECT_STREQ("untouched", szValue);
      return "<none>";
    }
    return szValue;
  }
  static std::string s_strDebugger;
};
std::string GetIniValueTest::s_strDebugger;

// The section name is compared in any case, the key exactly; a lookup that finds nothing tells
// the debugger.
TEST_F(GetIniValueTest, WordsDecideNotLines) {
  struct Case {
    std::string strFile;
    const char* pszKey;
    const char* pszValue;
  } cases[] = {
      {"[dumperror]\nenable=1\nServer=report.local\n", "Server", "report.local"},
      {"[dumperror]\nenable=1\nServer=report.local\n", "Enable", "<none>"},
      {"[DumpError]\nEnable=1 ;comment\n", "Enable", "1"},
      {"[DumpError] Enable=1", "Enable", "1"},                   // last word, no line break
      {"[DumpError]\n;Enable=2 Enable=3\n", "Enable", "3"},      // ";" starts no comment
      {"[DumpError]\nServer = x\n", "Server", "<none>"},         // blanks round "="
      {"[DumpError]\nServer=\nServer=y\n", "Server", "y"},       // "=" alone gives nothing
      {"[DumpError]\n; [note] Server=x\n", "Server", "<none>"},  // a bracketed word ends it
      {"[DumpError]\na[1] Server=x\n", "Server", "<none>"},
      {"[Other]\nServer=x\n[DumpError]\n", "Server", "<none>"},  // only a later section has it
      {"[DumpError]\n[Other]\nServer=x\n", "Server", "<none>"},
      {"[DumpError]\r\n\tAction=a=b;c\r\n", "Action", "a=b;c"},
      {"Server=z\n[DumpError]\nServerX=1 Server=2\n", "Server", "2"},
      {std::string("[DumpError]\nServer=v\0w\n", 22), "Server", "v"},  // a zero ends the word
  };
  for (const Case& c : cases) {
    Write("ini/GameSetup.ini", c.strFile);
    s_strDebugger.clear();
    EXPECT_EQ(c.pszValue, Lookup("DumpError", c.pszKey)) << c.strFile;
    std::string strReport =
        "Error: [DumpError] " + std::string(c.pszKey) + " not found in ini/GameSetup.ini.\n";
    EXPECT_EQ(c.pszValue == std::string("<none>") ? strReport : "", s_strDebugger) << c.strFile;
  }
  EXPECT_EQ("", LogText());
}

// A missing file and null arguments fail silently; a key not found goes to the debug log instead
// of the debugger when asked.
TEST_F(GetIniValueTest, MissingFileAndNullArgumentsFailSilently) {
  char szValue[16] = "untouched";
  const char* pszFile = "ini/GameSetup.ini";
  EXPECT_FALSE(GetIniValue(pszFile, "DumpError", "Enable", szValue, true));
  Write(pszFile, "[DumpError]\nEnable=1\n");
  EXPECT_FALSE(GetIniValue(nullptr, "DumpError", "Enable", szValue, true) ||
               GetIniValue(pszFile, nullptr, "Enable", szValue, true) ||
               GetIniValue(pszFile, "DumpError", nullptr, szValue, true) ||
               GetIniValue(pszFile, "DumpError", "Enable", nullptr, true));
  EXPECT_STREQ("untouched", szValue);
  EXPECT_EQ("", LogText());
  EXPECT_EQ("", s_strDebugger);
  Write(pszFile, "[DumpError]\nServer = x\n");
  EXPECT_EQ("<none>", Lookup("DumpError", "Server", true));
  EXPECT_TRUE(LogHas("Error: [DumpError] Server not found in ini/GameSetup.ini. -- "));
  EXPECT_EQ("", s_strDebugger);
}

}  // namespace
