// The ini document reader: Open's extension rules, sections and titles, key and value rules,
// lines and fields, the integer text rules and the text utilities beside the reader.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DatCipher.h"
#include "ModuleFixture.h"
#include "ZorIni.h"

using ZorGameBase::CZorIni;
using ZorGameBase::IniField;

namespace {

class ZorIniTest : public TempFolderTest {
 protected:
  // Opens t.ini holding the text and moves to its first section.
  bool OpenSection(CZorIni& ini, const std::string& strText) {
    Write("t.ini", strText);
    return ini.Open("t.ini", false) && ini.ReadSection();
  }
};

TEST_F(ZorIniTest, OpenChoosesByTheLastFourCharactersOfTheName) {
  struct Case {
    const char* pszName;
    bool bWrite;
    bool bOpens;
  } cases[] = {
      {"Map.INI", true, true}, {"look.ani", true, true},  {"map.txt", true, false},
      {"ini", true, false},    {".ini", true, false},     {"none.ini", false, false},
      {"x.Dat", false, false}, {"dir.ini", false, false},
  };
  std::filesystem::create_directory(m_folder / "dir.ini");
  for (const Case& c : cases) {
    if (c.bWrite) Write(c.pszName, "[A]\nk=1\n");
    CZorIni ini;
    EXPECT_EQ(c.bOpens, ini.Open(c.pszName, false)) << c.pszName;
  }
  CZorIni ini;
  EXPECT_FALSE(ini.Open(nullptr, false));
  EXPECT_FALSE(ini.Open("", false));
}

TEST_F(ZorIniTest, EmptyPlainFileOpensEmptyDatFileDoesNot) {
  Write("empty.ini", "");
  Write("empty.dat", "");
  CZorIni ini;
  ASSERT_TRUE(ini.Open("empty.ini", false));
  EXPECT_TRUE(ini.AtEnd());
  EXPECT_FALSE(ini.ReadSection());
  std::string strLine;
  EXPECT_FALSE(ini.ReadLine(strLine));
  EXPECT_FALSE(ini.ReadFields(ZorGameBase::INI_END, nullptr));
  CZorIni dat;
  EXPECT_FALSE(dat.Open("empty.dat", false));
  EXPECT_EQ("", LogText());
}

TEST_F(ZorIniTest, DatDocumentIsDecipheredAndReadAsText) {
  ASSERT_TRUE(ZorTools::WriteDatFile("GameMap.dat", "[1001]\nFile=map\\a.dmap\r\nLight=1"));
  CZorIni ini;
  ASSERT_TRUE(ini.Open("GameMap.dat", false));
  ASSERT_TRUE(ini.ReadSection());
  std::string strTitle;
  std::string strFile;
  int nLight = 0;
  EXPECT_TRUE(ini.GetSectionTitle(strTitle));
  EXPECT_EQ("1001", strTitle);
  EXPECT_TRUE(ini.ReadString("File", strFile));
  EXPECT_EQ("map\\a.dmap", strFile);
  EXPECT_TRUE(ini.ReadInt("Light", nLight));
  EXPECT_EQ(1, nLight);
  EXPECT_TRUE(ini.AtEnd());
}

TEST_F(ZorIniTest, BinaryGarbageIsWalkedToTheEndPlainOrDeciphered) {
  std::string strGarbage;
  for (int i = 0; i < 4096; ++i) strGarbage += static_cast<char>((i * 131 + i / 7) & 0xFF);
  strGarbage += "\n[S]\nKey=1";
  Write("g.ini", strGarbage);
  Write("g.dat", strGarbage);  // not enciphered: it deciphers to garbage
  for (const char* pszName : {"g.ini", "g.dat"}) {
    CZorIni ini;
    ASSERT_TRUE(ini.Open(pszName)) << pszName;
    int nSections = 0;
    for (int nWalk = 0; nWalk < 10000 && !ini.AtEnd(); ++nWalk) {
      if (!ini.ReadSection()) continue;
      ++nSections;
      char szValue[16];
      ini.ReadValue("Key", szValue, sizeof(szValue), true);
    }
    EXPECT_TRUE(ini.AtEnd()) << pszName;
    if (std::string(pszName) == "g.ini") {
      char szValue[16];
      EXPECT_TRUE(ini.ReadValue("Key", szValue, sizeof(szValue), false));  // the last section
      EXPECT_STREQ("1", szValue);
    }
  }
}

TEST_F(ZorIniTest, OpeningASecondFileLetsTheFirstGo) {
  Write("a.ini", "[A]\nk=1\n");
  Write("b.ini", "[B]\nk=2\n");
  CZorIni ini;
  ASSERT_TRUE(ini.Open("a.ini"));
  ASSERT_TRUE(ini.ReadSection());
  ASSERT_TRUE(ini.Open("b.ini"));
  ASSERT_TRUE(ini.ReadSection());
  std::string strTitle;
  ini.GetSectionTitle(strTitle);
  EXPECT_EQ("B", strTitle);
  EXPECT_STREQ("b.ini", ini.GetFileName());
  ini.Close();
  EXPECT_TRUE(ini.AtEnd());
  EXPECT_FALSE(ini.ReadSection());
  EXPECT_FALSE(ini.GetSectionTitle(strTitle));
}

TEST_F(ZorIniTest, KeyAndValueRules) {
  struct Case {
    std::string strLines;  // the section's lines
    bool bFound;
    std::string strValue;
  } cases[] = {
      {"Key=Value\n", true, "Value"},
      {"  Key=Value\n", true, "Value"},
      {"\tKey=Value\r\n", true, "Value"},
      {"Key = Value\n", false, ""},
      {"key=Value\n", false, ""},
      {"Key=  Value  \n", true, "Value  "},
      {"Key=\tValue\n", true, "\tValue"},  // only spaces are skipped
      {"Key=a;b // c\n", true, "a;b // c"},
      {"Key=\n", false, ""},
      {"Key= \n", true, ""},
      {"Key=1\nKey=2\n", true, "1"},
      {"Ke=1\nKeyX=2\nKey=3\n", true, "3"},
      {";Key=1\n//Key=2\n  ; Key=3\n", false, ""},
      {"Key=a=b\n", true, "a=b"},
      {"Key= v", true, " v"},  // the last line without line break keeps its leading blank
      {"Key=", true, ""},
      {"Key=1\r", true, "1"},
      {std::string("Key=v\0Other=w\n", 14), true, "v"},  // a zero byte ends a line
      {"Key=1\n[Next]\nKey=2\n", true, "1"},
  };
  for (const Case& c : cases) {
    CZorIni ini;
    ASSERT_TRUE(OpenSection(ini, "[S]\n" + c.strLines)) << c.strLines;
    char szValue[2048] = "untouched";
    EXPECT_EQ(c.bFound, ini.ReadValue("Key", szValue, sizeof(szValue), false)) << c.strLines;
    EXPECT_EQ(c.bFound ? c.strValue : "untouched", std::string(szValue)) << c.strLines;
  }
  EXPECT_EQ("", LogText());
}

TEST_F(ZorIniTest, EmptyValueIsReportedOnlyWhenAsked) {
  CZorIni ini;
  ASSERT_TRUE(OpenSection(ini, "[S]\nName=\nOther=1\n"));
  std::string strName = "kept";
  EXPECT_FALSE(ini.ReadString("Name", strName, false));
  EXPECT_EQ("", LogText());
  EXPECT_FALSE(ini.ReadString("Name", strName, true));
  EXPECT_FALSE(ini.ReadString("Name", strName, true));
  EXPECT_EQ("kept", strName);
  // The reader's own log has no repeat filter.
  EXPECT_EQ(2, LogCount("t.ini key: Name format wrong! -- ")) << LogText();
}

TEST_F(ZorIniTest, KeyGettersRefuseAnEmptyKey) {
  CZorIni ini;
  ASSERT_TRUE(OpenSection(ini, "[S]\n=1\n"));
  int nValue = 7;
  EXPECT_FALSE(ini.ReadInt("", nValue));
  EXPECT_FALSE(ini.ReadInt(nullptr, nValue));
  EXPECT_EQ(7, nValue);
  EXPECT_EQ(2, LogCount("read t.ini key wrong! -- "));
}

TEST_F(ZorIniTest, TypedGettersConvertLikeTheRuntime) {
  CZorIni ini;
  ASSERT_TRUE(OpenSection(ini, "[S]\nHex=0x10\nNum=-42abc\nText=abc\nF=1.5e2\nZ=name \n"));
  int nValue = -1;
  EXPECT_TRUE(ini.ReadInt("Hex", nValue));
  EXPECT_EQ(0, nValue);
  EXPECT_TRUE(ini.ReadInt("Num", nValue));
  EXPECT_EQ(-42, nValue);
  EXPECT_TRUE(ini.ReadInt("Text", nValue));
  EXPECT_EQ(0, nValue);
  float fValue = 0;
  EXPECT_TRUE(ini.ReadFloat("F", fValue));
  EXPECT_FLOAT_EQ(150.0f, fValue);
  ZorString::CZorString strName;
  EXPECT_TRUE(ini.ReadZorString("Z", strName));
  EXPECT_STREQ("name ", strName);
  EXPECT_FALSE(ini.ReadInt("Missing", nValue));
  EXPECT_EQ(0, nValue);
}

TEST_F(ZorIniTest, ReadValueKeepsToTheCallersBuffer) {
  CZorIni ini;
  ASSERT_TRUE(OpenSection(ini, "[S]\nA=abcdef\nB=abcdef"));
  char sz[5] = "";
  EXPECT_TRUE(ini.ReadValue("A", sz, 4, false));
  EXPECT_STREQ("abc", sz);
  EXPECT_TRUE(ini.ReadValue("B", sz, 4, false));  // last line without line break too
  EXPECT_STREQ("abc", sz);
  EXPECT_FALSE(ini.ReadValue("A", sz, 0, false));
  EXPECT_FALSE(ini.ReadValue("A", sz, 2049, false));
  EXPECT_FALSE(ini.ReadValue("A", nullptr, 4, false));
}

TEST_F(ZorIniTest, SectionsAreWalkedInFileOrder) {
  CZorIni ini;
  Write("t.ini",
        "free=0\n; comment\n  [First]  \r\n a=1\n\n list 1 2 3\n[Title] x\n//c\n[ B ]\n[]\nz=9");
  ASSERT_TRUE(ini.Open("t.ini"));
  std::string strTitle = "none";
  EXPECT_FALSE(ini.GetSectionTitle(strTitle));
  ASSERT_TRUE(ini.ReadSection());
  EXPECT_TRUE(ini.GetSectionTitle(strTitle));
  EXPECT_EQ("First", strTitle);
  const std::vector<const char*>& lines = ini.GetSectionLines();
  ASSERT_EQ(3u, lines.size());  // "[Title] x" is no header
  EXPECT_EQ(0, strncmp(lines[0], "a=1\n", 4));
  EXPECT_EQ(0, strncmp(lines[1], "list 1 2 3\n", 11));
  EXPECT_EQ(0, strncmp(lines[2], "[Title] x\n", 10));
  ASSERT_TRUE(ini.ReadSection());
  ini.GetSectionTitle(strTitle);
  EXPECT_EQ(" B ", strTitle);
  EXPECT_TRUE(ini.GetSectionLines().empty());
  ASSERT_TRUE(ini.ReadSection());
  EXPECT_FALSE(ini.GetSectionTitle(strTitle));  // "[]": an empty title
  EXPECT_EQ(1u, ini.GetSectionLines().size());
  EXPECT_TRUE(ini.AtEnd());
  EXPECT_FALSE(ini.ReadSection());
}

TEST_F(ZorIniTest, TitleOfThirtyTwoCharactersFailsWithItsMessage) {
  std::string strTitle31(31, 'a');
  std::string strTitle32(32, 'b');
  CZorIni ini;
  Write("t.ini", "[" + strTitle31 + "]\nk=1\n[" + strTitle32 + "]\nk=2\n[C]\nk=3\n");
  ASSERT_TRUE(ini.Open("t.ini"));
  std::string strTitle;
  ASSERT_TRUE(ini.ReadSection());
  EXPECT_TRUE(ini.GetSectionTitle(strTitle));
  EXPECT_EQ(strTitle31, strTitle);
  EXPECT_FALSE(ini.ReadSection());
  EXPECT_TRUE(LogHas("t.ini " + strTitle32 + " title too long wrong! -- "));
  EXPECT_TRUE(ini.GetSectionTitle(strTitle));
  EXPECT_EQ(strTitle31, strTitle);  // the previous title stays, without lines
  EXPECT_TRUE(ini.GetSectionLines().empty());
  ASSERT_TRUE(ini.ReadSection());  // the walk goes on at the next header
  char sz[8];
  EXPECT_TRUE(ini.ReadValue("k", sz, sizeof(sz), false));
  EXPECT_STREQ("3", sz);
}

TEST_F(ZorIniTest, ReadLineSeesEveryContentLineHeadersIncluded) {
  CZorIni ini;
  Write("t.ini", "before  \n\n   \n;c\n  [S]\n/x\r\nlast");
  ASSERT_TRUE(ini.Open("t.ini"));
  std::vector<std::string> lines;
  for (std::string strLine; ini.ReadLine(strLine);) lines.push_back(strLine);
  EXPECT_EQ((std::vector<std::string>{"before  ", "[S]", "/x", "last"}), lines);
  EXPECT_TRUE(ini.AtEnd());
}

TEST_F(ZorIniTest, LineOverTheLimitIsCutTo2047Characters) {
  CZorIni ini;
  Write("t.ini", std::string(3000, 'a') + "\nnext\n");
  ASSERT_TRUE(ini.Open("t.ini"));
  std::string strLine;
  ASSERT_TRUE(ini.ReadLine(strLine));
  EXPECT_EQ(std::string(2047, 'a'), strLine);
  ASSERT_TRUE(ini.ReadLine(strLine));
  EXPECT_EQ("next", strLine);
}

TEST_F(ZorIniTest, ReadFieldsCountsOnlyPairsThatFoundTheLineEnded) {
  struct Case {
    const char* pszLine;
    bool bOk;
    int anValues[3];  // after the read; 99 untouched
  } cases[] = {
      {"1 2", true, {1, 2, 99}},
      {"1 2 ", false, {1, 2, 99}},
      {"1 2 3 4", true, {1, 2, 3}},
      {"  1\t2\r\n", true, {1, 2, 99}},
      {"0x10 010 -0x10", true, {16, 10, -16}},
  };
  for (const Case& c : cases) {
    CZorIni ini;
    Write("t.ini", std::string(c.pszLine) + "\n");
    ASSERT_TRUE(ini.Open("t.ini"));
    int a = 99, b = 99, d = 99;
    EXPECT_EQ(c.bOk, ini.ReadFields(ZorGameBase::INI_INT, &a, ZorGameBase::INI_INT, &b,
                                    ZorGameBase::INI_INT, &d, ZorGameBase::INI_END))
        << c.pszLine;
    EXPECT_EQ(c.anValues[0], a) << c.pszLine;
    EXPECT_EQ(c.anValues[1], b) << c.pszLine;
    EXPECT_EQ(c.anValues[2], d) << c.pszLine;
  }
  EXPECT_EQ(1, LogCount("t.ini file format wrong! -- "));
}

TEST_F(ZorIniTest, ReadFieldSetNeedsEveryPair) {
  CZorIni ini;
  Write("t.ini", "1 2\n1 2 3\n1 2 3 4\n");
  ASSERT_TRUE(ini.Open("t.ini"));
  int a = 0, b = 0, d = 0;
  IniField fa{ZorGameBase::INI_INT, &a}, fb{ZorGameBase::INI_INT, &b}, fd{ZorGameBase::INI_INT, &d};
  EXPECT_FALSE(ini.ReadFieldSet(fa, fb, fd));
  EXPECT_EQ(1, LogCount("t.ini file format wrong! -- "));
  EXPECT_TRUE(ini.ReadFieldSet(fa, fb, fd));
  EXPECT_EQ(3, d);
  EXPECT_TRUE(ini.ReadFieldSet(fa, fb, fd));
  EXPECT_FALSE(ini.ReadFieldSet(fa, fb, fd));  // the end: no message
  EXPECT_EQ(1, LogCount("file format wrong!"));
}

TEST_F(ZorIniTest, EveryFieldTypeConvertsIntoItsDestination) {
  CZorIni ini;
  Write("t.ini",
        "-7 -9000000000 0x7FFFFFFF 65537 -1 -3 4294967295 1.5e2 -2.25 abc text name 0x1FF 2 "
        "any\n"
        "0 1\n");
  ASSERT_TRUE(ini.Open("t.ini"));
  int32_t nInt = 0, nLong = 0, nInt32 = 0;
  int64_t nInt64 = 0;
  int16_t nShort = 0;
  uint16_t nWord = 0;
  uint32_t nDword = 0;
  float fFloat = 0;
  double dDouble = 0;
  char szChars[8] = "";
  std::string strText;
  ZorString::CZorString strName;
  uint8_t nByte = 0;
  bool bFlag = false;
  using namespace ZorGameBase;
  ASSERT_TRUE(ini.ReadFields(INI_INT, &nInt, INI_INT64, &nInt64, INI_LONG, &nLong, INI_SHORT,
                             &nShort, INI_WORD, &nWord, INI_INT32, &nInt32, INI_DWORD, &nDword,
                             INI_FLOAT, &fFloat, INI_DOUBLE, &dDouble, INI_CHARS, szChars,
                             INI_STRING, &strText, INI_ZORSTRING, &strName, INI_BYTE, &nByte,
                             INI_BOOL, &bFlag, 99, nullptr, INI_END));
  EXPECT_EQ(-7, nInt);
  EXPECT_EQ(-9000000000LL, nInt64);
  EXPECT_EQ(0x7FFFFFFF, nLong);
  EXPECT_EQ(1, nShort);  // low 16 bits of 65537
  EXPECT_EQ(0xFFFF, nWord);
  EXPECT_EQ(-3, nInt32);
  EXPECT_EQ(4294967295u, nDword);
  EXPECT_FLOAT_EQ(150.0f, fFloat);
  EXPECT_DOUBLE_EQ(-2.25, dDouble);
  EXPECT_STREQ("abc", szChars);
  EXPECT_EQ("text", strText);
  EXPECT_STREQ("name", strName);
  EXPECT_EQ(0xFF, nByte);
  EXPECT_TRUE(bFlag);
  ASSERT_TRUE(ini.ReadFieldSet({INI_BOOL, &bFlag}, {INI_BOOL, &bFlag}));
  EXPECT_TRUE(bFlag);
  EXPECT_EQ("", LogText());
}

TEST_F(ZorIniTest, FieldSetFieldOver255CharactersIsCut) {
  CZorIni ini;
  Write("t.ini", std::string(300, 'n') + " 5");
  ASSERT_TRUE(ini.Open("t.ini"));
  char szName[300] = "";
  int nValue = 0;
  ASSERT_TRUE(ini.ReadFieldSet({ZorGameBase::INI_CHARS, szName}, {ZorGameBase::INI_INT, &nValue}));
  EXPECT_EQ(std::string(255, 'n'), szName);
  EXPECT_EQ(5, nValue);  // the last line without line break
}

TEST_F(ZorIniTest, ReadFieldsWithNoPairsTakesOneLine) {
  CZorIni ini;
  Write("t.ini", "skipped\n7\n");
  ASSERT_TRUE(ini.Open("t.ini"));
  EXPECT_TRUE(ini.ReadFields(ZorGameBase::INI_END, nullptr));
  int n = 0;
  EXPECT_TRUE(ini.ReadFields(ZorGameBase::INI_INT, &n, ZorGameBase::INI_END));
  EXPECT_EQ(7, n);
}

TEST(IniIntegerText, SignedAndUnsignedRules) {
  struct Case {
    const char* pszText;
    int32_t nSigned;
    uint32_t nUnsigned;
  } cases[] = {
      {nullptr, 0, 0},
      {"", 0, 0},
      {"  12", 12, 12},
      {"010", 10, 10},
      {"0x10", 16, 16},
      {"0X1f", 31, 31},
      {"-0x10", -16, 0xFFFFFFF0u},
      {"+010", 8, 8},
      {"-010", -8, 0xFFFFFFF8u},
      {"12abc", 12, 12},
      {"abc", 0, 0},
      {"-1", -1, 0xFFFFFFFFu},
      {"99999999999", INT32_MAX, UINT32_MAX},
      {"-99999999999", INT32_MIN, UINT32_MAX},
      {"4294967296", INT32_MAX, UINT32_MAX},
      {"0x", 0, 0},
      {"09", 9, 9},
  };
  for (const Case& c : cases) {
    const char* pszName = c.pszText == nullptr ? "(null)" : c.pszText;
    EXPECT_EQ(c.nSigned, ZorGameBase::ParseIniInteger(c.pszText)) << pszName;
    EXPECT_EQ(c.nUnsigned, ZorGameBase::ParseIniUnsigned(c.pszText)) << pszName;
  }
}

TEST(ReadBufferLine, LinesOfAMemoryImage) {
  struct Case {
    std::string strData;
    std::vector<std::string> lines;
  } cases[] = {
      {"xyz", {"xyz"}},
      {"ab\r\ncd", {"ab", "cd"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\rb\n", {"a\rb"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    unsigned nPosition = 0;
    char szLine[16];
    while (ZorGameBase::ReadBufferLine(c.strData.data(), static_cast<unsigned>(c.strData.size()),
                                       nPosition, szLine, sizeof(szLine))) {
      lines.push_back(szLine);
    }
    EXPECT_EQ(c.lines, lines) << c.strData;
  }
}

TEST(ReadBufferLine, LineLongerThanTheBufferEndsTheData) {
  const char szData[] = "abcdef\nx";
  unsigned nPosition = 0;
  char szLine[4];
  EXPECT_FALSE(ZorGameBase::ReadBufferLine(szData, 8, nPosition, szLine, 4));
  EXPECT_EQ(4u, nPosition);
  nPosition = 0;
  EXPECT_FALSE(ZorGameBase::ReadBufferLine("abcd", 4, nPosition, szLine, 4));  // no room for zero
  nPosition = 0;
  EXPECT_TRUE(ZorGameBase::ReadBufferLine("abc\n", 4, nPosition, szLine, 4));
  EXPECT_STREQ("abc", szLine);
  EXPECT_FALSE(ZorGameBase::ReadBufferLine(nullptr, 4, nPosition, szLine, 4));
  EXPECT_FALSE(ZorGameBase::ReadBufferLine("abc", 3, nPosition, nullptr, 4));
  EXPECT_FALSE(ZorGameBase::ReadBufferLine("abc", 3, nPosition, szLine, 0));
}

TEST(TrimLine, HeadAndTailCutCommentsAndWhiteSpace) {
  struct Case {
    const char* pszText;
    const char* pszHead;
    const char* pszTail;
  } cases[] = {
      {"  abc  ", "abc  ", "  abc"},
      {"  ;note", "  ", ""},
      {" //note", " ", ""},
      {" /x", "/x", " /x"},
      {"key = v ; note", "key = v ; note", "key = v"},
      {"a//b\t\r\n", "a//b\t\r\n", "a"},
      {"a/b  \n", "a/b  \n", "a/b"},
      {"", "", ""},
      {"\xB0\x20", "\xB0\x20", "\xB0\x20"},  // the blank is the character's trail byte
      {"\xB0\x3B x", "\xB0\x3B x", "\xB0\x3B x"},
  };
  for (const Case& c : cases) {
    char szHead[64];
    char szTail[64];
    strcpy(szHead, c.pszText);
    strcpy(szTail, c.pszText);
    EXPECT_TRUE(ZorGameBase::TrimLineHead(szHead));
    EXPECT_TRUE(ZorGameBase::TrimLineTail(szTail));
    EXPECT_STREQ(c.pszHead, szHead) << c.pszText;
    EXPECT_STREQ(c.pszTail, szTail) << c.pszText;
  }
  EXPECT_FALSE(ZorGameBase::TrimLineHead(nullptr));
  EXPECT_FALSE(ZorGameBase::TrimLineTail(nullptr));
}

TEST(SplitNumberList, NumbersBetweenSeparators) {
  struct Case {
    const char* pszText;
    const char* pszSeparator;
    unsigned nLength;
    std::vector<unsigned> values;
  } cases[] = {
      {"3,,5", ",", 2048, {3, 0, 5}}, {"1,2,", nullptr, 2048, {1, 2, 0}}, {"-1,4", "", 2048, {4}},
      {"7;8", ";x", 2048, {7, 8}},    {" 12 , 13", ",", 2048, {12, 13}},  {"", ",", 2048, {0}},
      {"4294967297", ",", 2048, {1}}, {"123456", ",", 4, {123}},          {nullptr, ",", 2048, {}},
      {"1,2", ",", 0, {9}},  // length 0: nothing at all, the list stays
  };
  for (const Case& c : cases) {
    std::vector<unsigned> values = {9};
    ZorGameBase::SplitNumberList(c.pszText, values, c.pszSeparator, c.nLength);
    EXPECT_EQ(c.values, values) << (c.pszText == nullptr ? "(null)" : c.pszText);
  }
}

}  // namespace
