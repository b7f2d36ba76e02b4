// The plain ini lookup: words, not lines, and what it reports where.
#include "IniLookup.h"

#include <gtest/gtest.h>

#include <string>

#include "ModuleFixture.h"
#include "ZorPlatform.h"

using ZorGameBase::GetIniValue;

namespace {

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
      {"[DumpError] Enable=1", "Enable", "1"},                   // last word, no line break
      {"[DumpError]\n;Enable=2 Enable=3\n", "Enable", "3"},      // ";" starts no comment
      {"[DumpError]\nServer = x\n", "Server", "<none>"},         // blanks round "="
      {"[DumpError]\nServer=\nServer=y\n", "Server", "y"},       // "=" alone gives nothing
      {"[DumpError]\n; [note] Server=x\n", "Server", "<none>"},  // a bracketed word ends it
      {"[Other]\nServer=x\n[DumpError]\n", "Server", "<none>"},  // only a later section has it
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
