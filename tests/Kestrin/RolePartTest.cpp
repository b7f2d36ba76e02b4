// Role part hiding (ini/RolePartHide.ini) and replacement (ini/RolePartReplace.ini), loaded as
// the client loads them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ModuleFixture.h"

namespace {

using RolePartTest = ModuleTest;
using ::testing::ElementsAre;

// An entry of ini/RolePartHide.ini with one section.
std::string HideEntry(const std::string& strHeader, const std::string& strPart, uint32_t nFrom,
                      uint32_t nTo) {
  return strHeader + "\nSectionAmount=1\nSection0=" + strPart + " " + std::to_string(nFrom) + " " +
         std::to_string(nTo) + "\n";
}

// An entry with an empty list is an entry too: it answers 0 and keeps the 999 entry from
// standing in.
TEST_F(RolePartTest, FirstKey999StandsInOnlyForAnAbsentEntry) {
  Write("ini/RolePartHide.ini", HideEntry("[999.2.3.4]", "Head", 0, 100) +
                                    HideEntry("[8.2.3.4]", "Body", 0, 100) +
                                    "[7.2.3.4]\nSectionAmount=0\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ("1 1 0 1 0 0 0",
            Say(pData->IsRolePartHidden(6, 2, 3, 4, 5, "Head"),
                pData->IsRolePartHidden(999, 2, 3, 4, 5, "Head"),
                pData->IsRolePartHidden(8, 2, 3, 4, 5, "Head"),  // [8.2.3.4] exists
                pData->IsRolePartHidden(8, 2, 3, 4, 5, "Body"),
                pData->IsRolePartHidden(7, 2, 3, 4, 5, "Head"),
                pData->IsRolePartHidden(6, 2, 3, 5, 5, "Head"),
                pData->IsRolePartHidden(6, 2, 3, 4, 5, nullptr)));
}

TEST_F(RolePartTest, RangeIsInclusiveAndNamesAreCaseSensitive) {
  Write("ini/RolePartHide.ini",
        "; hats hide the hair\n"
        "[1.2.3.4]\n"
        "SectionAmount=3\n"
        "Section0=Head 10 20\n"
        "Section5=Cloak 0 4294967295\n"  // the number after Section is not looked at
        "Section2=Head 30 30\n");
  I3DRoleBaseData* pData = Load();
  struct {
    uint32_t nValue;
    const char* pszPart;
    int32_t nHidden;
  } const cases[] = {
      {10, "Head", 1}, {20, "Head", 1},           {9, "Head", 0}, {21, "Head", 0},
      {30, "Head", 1}, {25, "head", 0},           {15, "Hea", 0}, {15, "Head ", 0},
      {0, "Cloak", 1}, {4294967295u, "Cloak", 1}, {15, "", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.nHidden, pData->IsRolePartHidden(1, 2, 3, 4, c.nValue, c.pszPart))
        << c.pszPart << " " << c.nValue;
  }
}

// k2 × 10000000 and k3 × 1000 wrap in 32 bits before they are added to the 64-bit key.
TEST_F(RolePartTest, CompositeKeyWrapsItsProductsIn32Bits) {
  Write("ini/RolePartHide.ini",
        HideEntry("[1.430.0.0]", "A", 0, 9) +          // 430 × 10^7 wraps to 5032704
            HideEntry("[2.0.4294968.0]", "B", 0, 9) +  // 4294968 × 1000 wraps to 704
            HideEntry("[3.0.0.1000]", "C", 0, 9) + HideEntry("[3.0.1.0]", "D", 0, 9) +
            HideEntry("[4294967295.1.1.1]", "E", 0, 9));
  I3DRoleBaseData* pData = Load();
  // [3.0.1.0] has the key of [3.0.0.1000] and replaced its list.
  EXPECT_EQ("1 1 1 1 0 1 1", Say(pData->IsRolePartHidden(1, 430, 0, 0, 1, "A"),
                                 pData->IsRolePartHidden(1, 0, 5032, 704, 1, "A"),
                                 pData->IsRolePartHidden(2, 0, 4294968, 0, 1, "B"),
                                 pData->IsRolePartHidden(2, 0, 0, 704, 1, "B"),
                                 pData->IsRolePartHidden(3, 0, 0, 1000, 1, "C"),
                                 pData->IsRolePartHidden(3, 0, 0, 1000, 1, "D"),
                                 pData->IsRolePartHidden(4294967295u, 1, 1, 1, 1, "E")));
}

// A malformed entry is dropped and ends the reading; the entry before it stays.
TEST_F(RolePartTest, MalformedEntryEndsTheReading) {
  const struct {
    const char* pszName;
    const char* pszEntry;  // stands between a good entry [1.1.1.1] and a good entry [3.3.3.3]
  } cases[] = {
      {"blank line before SectionAmount", "[2.2.2.2]\n\nSectionAmount=1\nSection0=P 0 9\n"},
      {"comment before SectionAmount", "[2.2.2.2]\n; note\nSectionAmount=1\nSection0=P 0 9\n"},
      {"indented SectionAmount", "[2.2.2.2]\n SectionAmount=1\nSection0=P 0 9\n"},
      {"misspelt SectionAmount", "[2.2.2.2]\nSectionamount=1\nSection0=P 0 9\n"},
      {"section with three values", "[2.2.2.2]\nSectionAmount=1\nSection0=P 0\n"},
      {"section missing", "[2.2.2.2]\nSectionAmount=2\nSection0=P 0 9\n"},
      {"section value not a number", "[2.2.2.2]\nSectionAmount=1\nSection0=P 0 x\n"},
  };
  for (const auto& c : cases) {
    I3DRoleBaseData* pData =
        LoadWith("ini/RolePartHide.ini", HideEntry("[1.1.1.1]", "P", 0, 9) + c.pszEntry +
                                             HideEntry("[3.3.3.3]", "P", 0, 9));
    EXPECT_EQ(1, pData->IsRolePartHidden(1, 1, 1, 1, 5, "P")) << c.pszName;
    EXPECT_EQ(0, pData->IsRolePartHidden(2, 2, 2, 2, 5, "P")) << c.pszName;
    EXPECT_EQ(0, pData->IsRolePartHidden(3, 3, 3, 3, 5, "P")) << c.pszName;
  }
  EXPECT_FALSE(LogHas("RolePartHide"));
}

// A header without four numbers is skipped with its lines, as is one not at the start of its line.
TEST_F(RolePartTest, HeadersSectionLinesAndLongPartNames) {
  const std::string strLong(200, 'p');
  Write("ini/RolePartHide.ini",
        HideEntry("[1.2.3]", "P", 0, 9) + HideEntry("[1.2.3.x]", "P", 0, 9) +
            HideEntry("  [4.4.4.4]", "P", 0, 9) +
            HideEntry("[ 5. 5.5.5] ; ends in a comment", "P", 0, 9) +
            "[1.1.1.1]\nSectionAmount=2 Section0=Head\n\n 1 2\n\tSection1=" + strLong + " 3 4\n" +
            "[1.1.1.1]\nSectionAmount=1\nSection0=Tail 1 1\n" +  // same key: replaces
            "[2.2.2.2]\nSectionAmount=1\nSection0=" + strLong + " 3 4");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(
      "0 0 1 0 1 1 0",
      Say(pData->IsRolePartHidden(1, 2, 3, 0, 5, "P"), pData->IsRolePartHidden(4, 4, 4, 4, 5, "P"),
          pData->IsRolePartHidden(5, 5, 5, 5, 5, "P"),
          pData->IsRolePartHidden(1, 1, 1, 1, 1, "Head"),
          pData->IsRolePartHidden(1, 1, 1, 1, 1, "Tail"),
          pData->IsRolePartHidden(2, 2, 2, 2, 3, strLong.substr(0, 127).c_str()),
          pData->IsRolePartHidden(2, 2, 2, 2, 3, strLong.c_str())));
}

TEST_F(RolePartTest, ReplacementFieldSevenHoldsTheLastColumn) {
  Write("ini/RolePartReplace.ini",
        "; key, three signed numbers, seven unsigned\n"
        "5 1 2 3 4 5 6 7 8 9 10\n"
        "\n"
        "-7 -1 0x10 010 -1 0X1f 0 0 0 0 4294967295\n"  // "010" is decimal
        "8 1 1 1 1 1 1 1 1 1 1\n8 2 3\n"               // later line wins; missing numbers are 0
        "9 1 2 3 4 5 6 7 8 9 10 11 12\n");             // the twelfth number is ignored
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(1, m_nCreated);
  EXPECT_THAT(Fields<uint32_t>(pData->GetRolePartReplaceInfo(5)),
              ElementsAre(1, 2, 3, 4, 5, 6, 10, 7, 8, 9));
  EXPECT_THAT(Fields<uint32_t>(pData->GetRolePartReplaceInfo(-7)),
              ElementsAre(-1, 16, 10, 4294967295u, 31, 0, 4294967295u, 0, 0, 0));
  EXPECT_THAT(Fields<uint32_t>(pData->GetRolePartReplaceInfo(8)),
              ElementsAre(2, 3, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_THAT(Fields<uint32_t>(pData->GetRolePartReplaceInfo(9)),
              ElementsAre(1, 2, 3, 4, 5, 6, 10, 7, 8, 9));
  EXPECT_EQ(nullptr, pData->GetRolePartReplaceInfo(6));
  EXPECT_FALSE(LogHas("RolePartReplace"));
}

// Only the replacement table decides what Create answers.
TEST_F(RolePartTest, CreateAnswersWhetherTheReplacementFileOpened) {
  Write("ini/RolePartHide.ini", HideEntry("[1.1.1.1]", "P", 0, 9));
  for (const char* pszFile :
       {"Npc.ini", "NpcX.ini", "RolePartScale.ini", "2DRoleLook.ini", "LookScale.ini",
        "MountScale.ini", "AppendentWeapon.ini", "WeaponAdjustByLook.ini", "SimpleObjInfo.ini"}) {
    Write(std::string("ini/") + pszFile, "");
  }
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(0, m_nCreated);

  // Blanks after the last number make the reader report the line; reading stops, Create still
  // answers 1.
  Write("ini/RolePartReplace.ini", "4 1 1 1 1 1 1 1 1 1 1\n2 0 0 \n3 0 0 0 0 0 0 0 0 0 0\n");
  EXPECT_EQ(1, pData->Create());
  EXPECT_NE(nullptr, pData->GetRolePartReplaceInfo(4));
  EXPECT_EQ(nullptr, pData->GetRolePartReplaceInfo(2));
  EXPECT_EQ(nullptr, pData->GetRolePartReplaceInfo(3));
  EXPECT_EQ(1, LogCount("ini/RolePartReplace.ini file format wrong!"));

  // The table is emptied before the file is opened: gone file, empty table, Create 0.
  std::filesystem::remove("ini/RolePartReplace.ini");
  EXPECT_EQ(0, pData->Create());
  EXPECT_EQ(nullptr, pData->GetRolePartReplaceInfo(4));
}

}  // namespace
