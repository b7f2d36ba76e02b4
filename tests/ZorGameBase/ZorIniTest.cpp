// The ini document reader: Open's extension rules, sections and titles, key and value rules,
// lines and fields, the integer text rules and the text utilities beside the reader.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "FieldNumbers.h"
#include "ZorIni.h"

using ZorGameBase::CZorIni;
using ZorGameBase::IniField;

namespace {

class ZorIniTest : public TempFolderTest {
 protected:
  // Writes t.ini holding the text and opens it.
  bool OpenText(CZorIni& ini, const std::string& strText) {
    Write("t.ini", strText);
    return ini.Open("t.ini", false);
  }
  // Opens t.ini holding the text and moves to its first section.
  bool OpenSection(CZorIni& ini, const std::string& strText) {
    return OpenText(ini, strText) && ini.ReadSection();
  }
};

// The bytes of a value as a field destination holds them.
template <typename T>
std::string Bytes(T value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof(T));
}

TEST_F(ZorIniTest, OpenChoosesByTheLastFourCharactersOfTheName) {
  struct Case {
    const char* pszName;
    const char* pszText;  // null: not written
    bool bOpens;
  } cases[] = {
      {"Map.INI", "[A]", true},  {"look.ani", "[A]", true},   {"map.txt", "[A]", false},
      {"ini", "[A]", false},     {".ini", "[A]", false},      {"none.ini", nullptr, false},
      {"x.Dat", nullptr, false}, {"dir.ini", nullptr, false}, {"empty.ini", "", true},
      {"empty.dat", "", false},
  };
  std::filesystem::create_directory(m_folder / "dir.ini");
  for (const Case& c : cases) {
    if (c.pszText != nullptr) Write(c.pszName, c.pszText);
    CZorIni ini;
    EXPECT_EQ(c.bOpens, ini.Open(c.pszName, false)) << c.pszName;
  }
  EXPECT_FALSE(CZorIni().Open(nullptr, false) || CZorIni().Open("", false));
  EXPECT_EQ("", LogText());
}

TEST_F(ZorIniTest, KeyAndValueRules) {
  struct Case {
    std::string strLines;  // the section's lines
    bool bFound;
    std::string strValue;
  } cases[] = {
      {"Key=Value\n", true, "Value"},       {"\tKey=Value\r\n", true, "Value"},
      {"Key = Value\n", false, ""},          {"key=Value\n", false, ""},
      {"Key=  a;b // c  \n", true, "a;b // c  "},  // spaces skipped, no comment in a value
      {"Key=\n", false, ""},                 {"Key= \n", true, ""},
      {"Key=1\nKey=2\n", true, "1"},         {"Ke=1\nKeyX=2\nKey=3\n", true, "3"},
      {";Key=1\n//Key=2\n", false, ""},      {"Key=a=b\n", true, "a=b"},
      {"Key=", true, ""},                    {"Key=1\r", true, "1"},
      {"Key=\tValue\n", true, "\tValue"},  // only spaces are skipped
      {"Key= v", true, " v"},  // the last line without line break keeps its leading blank
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

// The typed getters convert like the runtime; ReadValue keeps to the caller's buffer. An empty
// value is reported only when asked, an empty key always, each time (no repeat filter).
TEST_F(ZorIniTest, TypedGettersConvertLikeTheRuntimeAndReportEmptyKeys) {
  CZorIni ini;
  ASSERT_TRUE(OpenSection(ini,
                          "[S]\nName=\n=1\nHex=0x10\nNum=-42abc\nText=abc\nF=1.5e2\nZ=name \n"
                          "A=abcdef\nB=abcdef"));
  for (auto [pszKey, nExpected] : {std::pair{"Hex", 0}, {"Num", -42}, {"Text", 0}}) {
    int nValue = -1;
    EXPECT_TRUE(ini.ReadInt(pszKey, nValue)) << pszKey;
    EXPECT_EQ(nExpected, nValue) << pszKey;
  }
  float fValue = 0;
  EXPECT_TRUE(ini.ReadFloat("F", fValue));
  EXPECT_FLOAT_EQ(150.0f, fValue);
  ZorString::CZorString strName;
  EXPECT_TRUE(ini.ReadZorString("Z", strName));
  EXPECT_STREQ("name ", strName);
  char sz[5] = "";
  EXPECT_TRUE(ini.ReadValue("A", sz, 4, false));
  EXPECT_STREQ("abc", sz);
  EXPECT_TRUE(ini.ReadValue("B", sz, 4, false));  // last line without line break too
  EXPECT_STREQ("abc", sz);
  EXPECT_FALSE(ini.ReadValue("A", sz, 0, false) || ini.ReadValue("A", sz, 2049, false) ||
               ini.ReadValue("A", nullptr, 4, false));
  EXPECT_EQ("", LogText());
  std::string strText = "kept";
  int nValue = 7;
  EXPECT_FALSE(ini.ReadString("Name", strText, false) || ini.ReadString("Name", strText, true) ||
               ini.ReadString("Name", strText, true) || ini.ReadInt("", nValue) ||
               ini.ReadInt(nullptr, nValue) || ini.ReadInt("Missing", nValue));
  EXPECT_TRUE(strText == "kept" && nValue == 7);
  EXPECT_EQ(2, LogCount("t.ini key: Name format wrong! -- ")) << LogText();
  EXPECT_EQ(2, LogCount("read t.ini key wrong! -- "));
}

// Sections come in file order. A title of 32 characters fails with its message, the previous
// title standing without lines; the walk goes on at the next header.
TEST_F(ZorIniTest, SectionsAreWalkedInFileOrder) {
  const std::string strTitle31(31, 'a'), strTitle32(32, 'b');
  CZorIni ini;
  ASSERT_TRUE(OpenText(ini,
                       "free=0\n; comment\n  [First]  \r\n a=1\n\n list 1 2 3\n[Title] x\n//c\n"
                       "[ B ]\n[]\nz=9\n[" +
                           strTitle31 + "]\nk=1\n[" + strTitle32 + "]\nk=2\n[C]\nk=3"));
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
  ASSERT_TRUE(ini.ReadSection());
  EXPECT_FALSE(ini.ReadSection());
  EXPECT_TRUE(LogHas("t.ini " + strTitle32 + " title too long wrong! -- "));
  EXPECT_TRUE(ini.GetSectionTitle(strTitle) && ini.GetSectionLines().empty());
  EXPECT_EQ(strTitle31, strTitle);
  ASSERT_TRUE(ini.ReadSection());
  char sz[8];
  EXPECT_TRUE(ini.ReadValue("k", sz, sizeof(sz), false));
  EXPECT_STREQ("3", sz);
  EXPECT_TRUE(ini.AtEnd());
  EXPECT_FALSE(ini.ReadSection());
}

// ReadSectionKeys answers as ReadSection with FindKeyLines, for keys in the order of the
// section before and in any other order, and for the lines that only look like key lines; the
// plain numbers it reads are what atoi reads of those lines, and the values it sees whole are
// what ReadValue copies.
TEST_F(ZorIniTest, SectionKeysAreFoundAsReadSectionFindsThem) {
  const ZorGameBase::CIniKeySet keys = {"Name", "Look", "Head", "AVeryLongKeyOfTwentyOne", "Look", "[a", ";c", ""};
  const std::string strText =
      "x=0\n[1]\nName=a\nLook=1\nHead=2\n[2]\r\nName=b\r\nLook=3\r\nHead=4\r\n[3]\n  Head=5\nName=c\n"
      "Name=d\nLook =6\nlist 1 2\nAVeryLongKeyOfTwentyOne=7\n[4]\n;c=8\n[a=9\n[a=9]\n[" +
      std::string(32, 't') + "]\nName=e\n[5]\nLook\nHead=\n=1\n[6]\n\tName=f\nHead=1234567890\nHead=9\n"
      "[7]\nName=  g\nLook=0042 \nHead=-5\n[8]\nName=h\nLook=12\nHead=3";
  CZorIni byLines, byKeys;
  ASSERT_TRUE(OpenText(byLines, strText));
  ASSERT_TRUE(byKeys.Open("t.ini", false));
  auto LineOf = [](const char* pLine) {
    return pLine == nullptr ? std::string("(none)") : std::string(pLine, strcspn(pLine, "\r\n"));
  };
  const char* apFound[8];
  int32_t anNumbers[8];
  const char* apValueEnds[8];
  uint64_t nPlain = 0, nEnded = 0;
  int nPlainRead = 0, nEndedRead = 0;
  for (int nSection = 0; nSection < 11; ++nSection) {
    const char* apExpected[8];
    bool bRead = byLines.ReadSection();
    ASSERT_EQ(bRead, byKeys.ReadSectionKeys(keys, apFound, anNumbers, nPlain, apValueEnds, nEnded)) << nSection;
    if (!bRead) continue;
    byLines.FindKeyLines(keys, apExpected);
    std::string strExpected, strFound;
    EXPECT_EQ(byLines.GetSectionTitle(strExpected), byKeys.GetSectionTitle(strFound));
    EXPECT_EQ(strExpected, strFound);
    for (size_t i = 0; i < keys.Count(); ++i) {
      EXPECT_EQ(LineOf(apExpected[i]), LineOf(apFound[i])) << nSection << " " << keys.Key(i);
      if ((nEnded >> i & 1) != 0) {
        ++nEndedRead;
        char szValue[64] = {};
        EXPECT_TRUE(byLines.ReadValue(keys.Key(i), szValue, sizeof(szValue)));
        EXPECT_EQ(szValue, CZorIni::ValueBefore(apFound[i], keys.KeyLength(i), apValueEnds[i]));
      }
      if ((nPlain >> i & 1) == 0) continue;
      ++nPlainRead;
      int nValue = 0;
      EXPECT_TRUE(byLines.ReadInt(keys.Key(i), nValue));
      EXPECT_EQ(nValue, anNumbers[i]) << LineOf(apFound[i]);
    }
  }
  EXPECT_GT(nPlainRead, 0);
  EXPECT_GT(nEndedRead, 0);
  EXPECT_TRUE(byKeys.AtEnd());
  char sz[8];
  EXPECT_TRUE(byKeys.ReadValueAt(apFound[2], "Head", 4, sz, sizeof(sz), false));
  EXPECT_STREQ("3", sz);  // the last line without a line break
}

TEST_F(ZorIniTest, ReadFieldsCountsOnlyPairsThatFoundTheLineEnded) {
  struct Case {
    const char* pszLine;
    bool bOk;
    int anValues[3];  // after the read; 99 untouched
  } cases[] = {
      {"1 2", true, {1, 2, 99}},         {"1 2 ", false, {1, 2, 99}},
      {"1 2 3 4", true, {1, 2, 3}},     {"  1\t2\r\n", true, {1, 2, 99}},
      {"0x10 010 -0x10", true, {16, 10, -16}},
  };
  for (const Case& c : cases) {
    CZorIni ini;
    ASSERT_TRUE(OpenText(ini, std::string(c.pszLine) + "\n"));
    int a = 99, b = 99, d = 99;
    EXPECT_EQ(c.bOk, ini.ReadFields(ZorGameBase::INI_INT, &a, ZorGameBase::INI_INT, &b,
                                    ZorGameBase::INI_INT, &d, ZorGameBase::INI_END))
        << c.pszLine;
    EXPECT_EQ((std::vector<int>{c.anValues[0], c.anValues[1], c.anValues[2]}),
              (std::vector<int>{a, b, d}))
        << c.pszLine;
  }
  EXPECT_EQ(1, LogCount("t.ini file format wrong! -- "));
}

TEST_F(ZorIniTest, ReadFieldSetNeedsEveryPairReadFieldsNone) {
  CZorIni ini;
  ASSERT_TRUE(OpenText(ini, "1 2\n1 2 3\nskipped\n1 2 3 4\n"));
  int a = 0, b = 0, d = 0;
  IniField fa{ZorGameBase::INI_INT, &a}, fb{ZorGameBase::INI_INT, &b}, fd{ZorGameBase::INI_INT, &d};
  EXPECT_FALSE(ini.ReadFieldSet(fa, fb, fd));
  EXPECT_EQ(1, LogCount("t.ini file format wrong! -- "));
  EXPECT_TRUE(ini.ReadFieldSet(fa, fb, fd));
  EXPECT_EQ(3, d);
  EXPECT_TRUE(ini.ReadFields(ZorGameBase::INI_END, nullptr));  // no pairs: takes one line
  EXPECT_TRUE(ini.ReadFieldSet(fa, fb, fd));
  EXPECT_FALSE(ini.ReadFieldSet(fa, fb, fd));  // the end: no message
  EXPECT_EQ(1, LogCount("file format wrong!"));
  // A field over 255 characters is cut; the last line needs no line break.
  ASSERT_TRUE(OpenText(ini, std::string(300, 'n') + " 5"));
  char szName[300] = "";
  ASSERT_TRUE(ini.ReadFieldSet({ZorGameBase::INI_CHARS, szName}, {ZorGameBase::INI_INT, &a}));
  EXPECT_EQ(std::string(255, 'n'), szName);
  EXPECT_EQ(5, a);
}

// The typed reader of number lines converts every field as the general field conversion does,
// in the forms it takes itself and in those it leaves to the general way.
TEST_F(ZorIniTest, NumberLineConvertsAsTheFieldReaders) {
  using namespace ZorGameBase;
  const char* apszFields[] = {"7",      "-1",          "+010",         "-010",  "0x1f",
                              "-0x10",  "0x",          "99999999999",  "-99999999999",
                              "4294967296", "1234567890123456789", "12abc", "0.25",
                              "-2.5",   "1.5e2",       "12345678",     "+.5",   "0x123456789abcdef0"};
  CZorIni general, typed;
  int nFailed = 0;
  for (const char* pszField : apszFields) {
    int32_t nInt = 0, nInt2 = 0, nEnd = 0, nEnd2 = 0;
    uint32_t nDword = 0, nDword2 = 0;
    int64_t nInt64 = 0, nInt642 = 0;
    float fValue = 0, fValue2 = 0;
    // Each line four times over: one type a read.
    for (int nType : {INI_INT, INI_DWORD, INI_INT64, INI_FLOAT}) {
      ASSERT_TRUE(OpenText(general, std::string(pszField) + " 5\n"));
      ASSERT_TRUE(OpenText(typed, std::string(pszField) + " 5\n"));
      void* pDest = nType == INI_INT ? static_cast<void*>(&nInt) : nType == INI_DWORD ? static_cast<void*>(&nDword)
                    : nType == INI_INT64 ? static_cast<void*>(&nInt64) : static_cast<void*>(&fValue);
      bool bGeneral = general.ReadFieldSet({nType, pDest}, {INI_INT, &nEnd});
      bool bTyped = nType == INI_INT     ? ReadNumberLine(typed, true, nInt2, nEnd2)
                    : nType == INI_DWORD ? ReadNumberLine(typed, true, nDword2, nEnd2)
                    : nType == INI_INT64 ? ReadNumberLine(typed, true, nInt642, nEnd2)
                                         : ReadNumberLine(typed, true, fValue2, nEnd2);
      EXPECT_EQ(bGeneral, bTyped) << pszField << " type " << nType;
      nFailed += bGeneral ? 0 : 1;
    }
    EXPECT_EQ(nInt, nInt2) << pszField;
    EXPECT_EQ(nDword, nDword2) << pszField;
    EXPECT_EQ(nInt64, nInt642) << pszField;
    EXPECT_EQ(0, memcmp(&fValue, &fValue2, sizeof(float))) << pszField;
    EXPECT_EQ(nEnd, nEnd2) << pszField;
  }
  EXPECT_EQ(2 * nFailed, LogCount("t.ini file format wrong! -- "));
  // The rule of ReadFields: a line that ends early converts what it has; blanks after its last
  // field fail, logged as by ReadFields.
  ASSERT_TRUE(OpenText(typed, "4 8\n4 8 \n"));
  int32_t a = 0, b = 0, d = 0;
  EXPECT_TRUE(ReadNumberLine(typed, false, a, b, d));
  EXPECT_EQ((std::vector<int32_t>{4, 8, 0}), (std::vector<int32_t>{a, b, d}));
  EXPECT_FALSE(ReadNumberLine(typed, false, a, b, d));
  EXPECT_FALSE(ReadNumberLine(typed, false, a, b, d));  // the end: no message
  EXPECT_EQ(2 * nFailed + 1, LogCount("t.ini file format wrong! -- "));
}

// Whole lines in the forms around the usual one (line breaks, blanks, tabs, signs, zero bytes,
// comments, a last line without line break, a cut line): the typed reader gives every line's
// values, answers and messages as the general reader does.
TEST_F(ZorIniTest, NumberLinesReadAsTheGeneralReader) {
  using namespace ZorGameBase;
  const std::string strLong = "7" + std::string(2100, ' ') + "8 9 1.5\n";
  const std::string astrTexts[] = {
      "1 -2 3 0.25\n4 5 6 1.5\n",  "1 2 3 0.25\r\n4 5 6 1.5\r\n", "1 2 3 0.25  \n\t4\t5 6 -1.5\n",
      "; note\n1 2 3 4\n// x\n5 6 7 8", "1 2 3 0.25\r4 5 6 7\n",   std::string("1 2\0 3 4\n5 6 7 8\n", 17),
      "1 2 3 4 5\n6 7 8\n",          "01 0x1f 1234567890 1e2\n",      "1  2  3  4\n" + strLong};
  for (const std::string& strText : astrTexts) {
    CZorIni general, typed;
    ASSERT_TRUE(OpenText(general, strText));
    ASSERT_TRUE(OpenText(typed, strText));
    for (int nLine = 0; nLine < 3; ++nLine) {
      int32_t a = 0, a2 = 0;
      uint32_t b = 0, b2 = 0;
      int64_t c = 0, c2 = 0;
      float d = 0, d2 = 0;
      int nLogged = LogCount("file format wrong!");
      bool bGeneral = general.ReadFieldSet({INI_INT, &a}, {INI_DWORD, &b}, {INI_INT64, &c}, {INI_FLOAT, &d});
      int nGeneralLogs = LogCount("file format wrong!") - nLogged;
      bool bTyped = ReadNumberLine(typed, true, a2, b2, c2, d2);
      EXPECT_EQ(bGeneral, bTyped) << strText << " line " << nLine;
      EXPECT_EQ(nGeneralLogs, LogCount("file format wrong!") - nLogged - nGeneralLogs) << strText;
      EXPECT_EQ((std::vector<int64_t>{a, b, c}), (std::vector<int64_t>{a2, b2, c2})) << strText << " line " << nLine;
      EXPECT_EQ(d, d2) << strText << " line " << nLine;
    }
  }
}

// Each field type converts into exactly the bytes of its destination, the next byte untouched.
TEST_F(ZorIniTest, EveryFieldTypeConvertsIntoItsDestination) {
  using namespace ZorGameBase;
  const struct {
    int nType;
    const char* pszField;
    std::string strBytes;
  } cases[] = {
      {INI_INT, "-7", Bytes<int32_t>(-7)},
      {INI_INT64, "-9000000000", Bytes<int64_t>(-9000000000LL)},
      {INI_LONG, "0x7FFFFFFF", Bytes<int32_t>(0x7FFFFFFF)},
      {INI_SHORT, "65537", Bytes<int16_t>(1)},       {INI_WORD, "-1", Bytes<uint16_t>(0xFFFF)},
      {INI_INT32, "-3", Bytes<int32_t>(-3)},         {INI_CHARS, "abc", std::string("abc", 4)},
      {INI_DWORD, "4294967295", Bytes<uint32_t>(4294967295u)},
      {INI_FLOAT, "1.5e2", Bytes<float>(150.0f)},    {INI_DOUBLE, "-2.25", Bytes<double>(-2.25)},
      {INI_BYTE, "0x1FF", Bytes<uint8_t>(0xFF)},     {INI_BOOL, "2", Bytes<bool>(true)},
      {INI_BOOL, "0", Bytes<bool>(false)},
  };
  std::string strText;
  for (const auto& c : cases) strText += std::string(c.pszField) + "\n";
  CZorIni ini;
  ASSERT_TRUE(OpenText(ini, strText + "text name 99 5\n"));
  for (const auto& c : cases) {
    char abyDest[16];
    memset(abyDest, 0x5A, sizeof(abyDest));
    ASSERT_TRUE(ini.ReadFields(c.nType, abyDest, INI_END)) << c.pszField;
    EXPECT_EQ(c.strBytes, std::string(abyDest, c.strBytes.size())) << c.pszField;
    EXPECT_EQ(0x5A, abyDest[c.strBytes.size()]) << c.pszField;
  }
  std::string strText2;
  ZorString::CZorString strName;
  int nValue = 0;
  ASSERT_TRUE(ini.ReadFields(INI_STRING, &strText2, INI_ZORSTRING, &strName, 99, nullptr, INI_INT,
                             &nValue, INI_END));  // an unknown type converts nothing
  EXPECT_EQ("text", strText2);
  EXPECT_STREQ("name", strName);
  EXPECT_EQ(5, nValue);
  EXPECT_EQ("", LogText());
}

TEST(IniIntegerText, SignedAndUnsignedRules) {
  struct Case {
    const char* pszText;
    int32_t nSigned;
    uint32_t nUnsigned;
  } cases[] = {
      {nullptr, 0, 0},        {"", 0, 0},           {"  12", 12, 12},
      {"010", 10, 10},        {"0x10", 16, 16},     {"0X1f", 31, 31},
      {"+010", 8, 8},         {"12abc", 12, 12},    {"abc", 0, 0},
      {"0x", 0, 0},           {"09", 9, 9},         {"-1", -1, 0xFFFFFFFFu},
      {"-0x10", -16, 0xFFFFFFF0u},                  {"-010", -8, 0xFFFFFFF8u},
      {"99999999999", INT32_MAX, UINT32_MAX},       {"-99999999999", INT32_MIN, UINT32_MAX},
      {"4294967296", INT32_MAX, UINT32_MAX},
  };
  for (const Case& c : cases) {
    const char* pszName = c.pszText == nullptr ? "(null)" : c.pszText;
    EXPECT_EQ(c.nSigned, ZorGameBase::ParseIniInteger(c.pszText)) << pszName;
    EXPECT_EQ(c.nUnsigned, ZorGameBase::ParseIniUnsigned(c.pszText)) << pszName;
  }
}

TEST(TrimLine, HeadAndTailCutCommentsAndWhiteSpace) {
  struct Case {
    const char* pszText;
    const char* pszHead;
    const char* pszTail;
  } cases[] = {
      {"  abc  ", "abc  ", "  abc"},   {"  ;note", "  ", ""},
      {" //note", " ", ""},            {" /x", "/x", " /x"},
      {"a/b  \n", "a/b  \n", "a/b"},   {"a//b\t\r\n", "a//b\t\r\n", "a"},
      {"", "", ""},                    {"key = v ; note", "key = v ; note", "key = v"},
      {"\xB0\x20", "\xB0\x20", "\xB0\x20"},  // the blank is the character's trail byte
      {"\xB0\x3B x", "\xB0\x3B x", "\xB0\x3B x"},
  };
  for (const Case& c : cases) {
    char szHead[64], szTail[64];
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

}  // namespace
