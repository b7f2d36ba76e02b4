// NPC definitions (ini/Npc.ini) and star looks (ini/NpcX.ini), loaded as the client loads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ModuleFixture.h"
#include "QuerySweep.h"

namespace {

using NpcTest = ModuleTest;

// One complete record of ini/Npc.ini for the section name.
std::string NpcRecord(const std::string& strSection, const std::string& strName,
                      const std::string& strEffect = "glow") {
  return "[" + strSection + "]\nName=" + strName +
         "\nSimpleObjID=12\nStandByMotion=100\nBlazeMotion=101\nRestMotion=102\nEffect=" +
         strEffect + "\nASB=0\nADB=0\nFixDir=1\n";
}

// Long texts are cut to their fields; a record cut off by the end of the file keeps zeros for
// what it lacks.
TEST_F(NpcTest, RecordFieldsAreReadInTheirOrder) {
  Write("ini/Npc.ini",
        "; merchants of the harbour\n"
        "[NpcType0101]\nName=Merchant\nSimpleObjID=4294967295\nStandByMotion=9000000000\n"
        "BlazeMotion=-9000000000\nRestMotion=7\nEffect=npc_glow\n"
        "ASB=4294967293\n"  // %d keeps the low 32 bits
        "ADB=4\nFixDir=6\n" +
            NpcRecord("NpcType3", std::string(40, 'n'), std::string(3000, 'e')) +
            "[NpcType2]\nName=two\nSimpleObjID=5\nStand");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ("101|Merchant|npc_glow|4294967295 9000000000 -9000000000 7 -3 4 6",
            Describe(pData->GetNpcInfo(101)));
  EXPECT_EQ("3|" + std::string(31, 'n') + "|" + std::string(63, 'e') + "|12 100 101 102 0 0 1",
            Describe(pData->GetNpcInfo(3)));
  EXPECT_EQ("2|two||5 0 0 0 0 0 0", Describe(pData->GetNpcInfo(2)));
  EXPECT_FALSE(LogHas("Npc.ini"));
}

// The maps are ordered by signed type: -5 is the smallest, for types below, between and above.
// Of two records of a type the later one stands.
TEST_F(NpcTest, AbsentTypeFallsBackToTheSmallestSignedType) {
  Write("ini/Npc.ini", NpcRecord("NpcType3", "first") + NpcRecord("NpcType-5", "minus") +
                           NpcRecord("NpcType0003", "three"));
  Write("ini/NpcX.ini",
        "[3]\nName=first\n[-5]\nName=minus\n[2147483647]\nName=max\n[3]\nName=three\n");
  I3DRoleBaseData* pData = Load();
  // Each type's record and star look.
  EXPECT_EQ("minus minus minus minus minus minus minus minus minus minus minus minus three three "
            "minus max",
            Each({INT32_MIN, -6, 0, 2, 4, INT32_MAX - 1, 3, INT32_MAX}, [&](int32_t nType) {
              return Say(pData->GetNpcInfo(nType)->Name, pData->GetNpcStarLookInfo(nType)->Name);
            }));
}

// A bad record is logged with its section name and ends the reading of ini/Npc.ini;
// ini/NpcX.ini is still read.
TEST_F(NpcTest, BadRecordStopsTheReadingOfNpcIni) {
  const struct {
    const char *pszName, *pszSection, *pszBody;
  } cases[] = {
      {"comment word before Name", "NpcType0021", "; Name=x SimpleObjID=1"},
      {"lines out of order", "NpcType0022", "SimpleObjID=1 Name=x"},
      {"misspelt key", "NpcType0023", "Name=x SimpleObjId=1"},
      {"blank before '='", "NpcType0024", "Name =x"},
      {"value not a number", "NpcType0025", "Name=x SimpleObjID=x"},
      {"name missing", "NpcType0026", "Name=\nSimpleObjID=1 StandByMotion=1"},
  };
  for (const auto& c : cases) {
    Write("ini/Npc.ini", NpcRecord("NpcType1", "one") + "[" + c.pszSection + "]\n" + c.pszBody +
                             "\n" + NpcRecord("NpcType3", "three"));
    Write("ini/NpcX.ini", "[9]\nName=nine\n");
    I3DRoleBaseData* pData = Load();
    std::string strMessage = std::string("error data: ") + c.pszSection + " of ini/Npc.ini";
    EXPECT_EQ(1, LogCount(strMessage)) << c.pszName;
    EXPECT_EQ(1, pData->GetNpcInfo(20)->Id) << c.pszName;  // only the first record
    EXPECT_EQ(1, pData->GetNpcInfo(3)->Id) << c.pszName;
    EXPECT_STREQ("nine", pData->GetNpcStarLookInfo(9)->Name) << c.pszName;
    RoleBaseDataDestroy();
  }
}

TEST_F(NpcTest, MissingNpcIniLeavesBothTablesEmpty) {
  Write("ini/NpcX.ini", "[9]\nName=nine\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(nullptr, pData->GetNpcInfo(9));
  EXPECT_EQ(nullptr, pData->GetNpcStarLookInfo(9));
  EXPECT_EQ(1, LogCount("error on open ini/Npc.ini."));
}

TEST_F(NpcTest, SectionNamesGiveTheirIdFromTheEighthCharacter) {
  const std::string strLong(300, 'N');
  Write("ini/Npc.ini", NpcRecord("NpcType-12", "minus") + NpcRecord("Npc0012", "short") +
                           NpcRecord("NpcType99999999999", "big") + NpcRecord("[", "bracket") +
                           "[" + strLong + "]\nName=x\nStray\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_STREQ("minus", pData->GetNpcInfo(-12)->Name);
  EXPECT_STREQ("minus", pData->GetNpcInfo(12)->Name);   // absent: -12 is the smallest
  EXPECT_STREQ("bracket", pData->GetNpcInfo(0)->Name);  // "Npc0012" and "[" give 0
  EXPECT_STREQ("big", pData->GetNpcInfo(INT32_MAX)->Name);
  // The bad record's name is logged cut to 255 characters.
  EXPECT_TRUE(LogHas("error data: " + std::string(255, 'N') + " of ini/Npc.ini"));
  EXPECT_FALSE(LogHas(std::string(256, 'N')));
}

TEST_F(NpcTest, StarLookKeysFillTheirFields) {
  Write("ini/Npc.ini", "");
  Write("ini/NpcX.ini",
        "; the harbour master\n"
        "[ 40]\n"
        "Name=Harbour master\n"
        "FixDir=1\nAddSize=2\nScale=3\nLook=4\nHead=5\nHair=6\n"
        "Armor=7\nArmet=8\nRWeapon=9\nLWeapon=10\nMisc=11\nMiscBack=12\nMount=13\n"
        "Effect=fx\nNote=keeps the docks\n"
        "FrontBlock=-1\nBackBlock=0x10\nLeftBlock=3abc\nRightBlock=x\n"  // decimal only
        "EffAdd=a;b\nEffDel=d\n"
        "[41]\nLook=\nName= \n[42]\nNote=" +
            std::string(40, 'o') + "\nEffAdd=" + std::string(31, 'a') + "\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ("40|Harbour master|1 2 3 4 5 6 7 8 9 10 11 12 13 |fx|keeps the docks|-1 0 3 0|a;b|d",
            Describe(pData->GetNpcStarLookInfo(40)));
  // Missing keys and "Look=" leave 0 and "": the empty key is reported by the reader.
  EXPECT_EQ("41||0 0 0 0 0 0 0 0 0 0 0 0 0 |||0 0 0 0||", Describe(pData->GetNpcStarLookInfo(41)));
  EXPECT_EQ("42||0 0 0 0 0 0 0 0 0 0 0 0 0 ||" + std::string(31, 'o') + "|0 0 0 0|" +
                std::string(31, 'a') + "|",
            Describe(pData->GetNpcStarLookInfo(42)));
  EXPECT_EQ(1, LogCount("ini/NpcX.ini key: Look format wrong!"));
  EXPECT_EQ(0, LogCount("key: Name format wrong!"));
}

// A section that cannot be read ends the star looks; those read before stay (look 3 falls
// back to the smallest, look 1 "a").
TEST_F(NpcTest, UnreadableStarLookSectionEndsTheLoad) {
  const struct {
    const char* pszName;
    const char* pszText;
    const char* pszMessage;
    const char* pszLook3;
  } cases[] = {
      {"empty title", "[1]\nName=a\n[]\nName=b\n[3]\nName=c\n",
       "ini/NpcX.ini: read starlook title error", "a"},
      {"title too long", "[1]\nName=a\n[12345678901234567890123456789012]\n[3]\nName=c\n",
       "ini/NpcX.ini: read starlook block error.", "a"},
      {"read to the end", "[1]\nName=a\n; end\n", nullptr, "a"},
      {"comments only", "; no star look yet\nstray line\n",
       "ini/NpcX.ini: read starlook block error.", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pszName);
    ClearLog();
    Write("ini/NpcX.ini", c.pszText);
    I3DRoleBaseData* pData = LoadWith("ini/Npc.ini", "");
    const NpcStarLookInfo* pLook = pData->GetNpcStarLookInfo(3);
    EXPECT_EQ(OrNull(c.pszLook3), OrNull(pLook != nullptr ? pLook->Name : nullptr));
    if (c.pszMessage != nullptr) {
      EXPECT_EQ(1, LogCount(c.pszMessage));
    } else {
      EXPECT_FALSE(LogHas("starlook"));
    }
  }
}

// A second load adds and overwrites in place: pointers handed out stay valid.
TEST_F(NpcTest, SecondCreateAddsAndOverwrites) {
  Write("ini/Npc.ini", NpcRecord("NpcType1", "one") + NpcRecord("NpcType2", "two"));
  Write("ini/NpcX.ini", "[1]\nName=one\n");
  I3DRoleBaseData* pData = Load();
  const NpcInfo* pOne = pData->GetNpcInfo(1);
  const NpcStarLookInfo* pLook = pData->GetNpcStarLookInfo(1);
  Write("ini/Npc.ini", NpcRecord("NpcType1", "uno") + NpcRecord("NpcType3", "three"));
  Write("ini/NpcX.ini", "[1]\nName=uno\n[0]\nName=zero\n");
  pData->Create();
  EXPECT_EQ(pOne, pData->GetNpcInfo(1));
  EXPECT_STREQ("uno", pOne->Name);
  EXPECT_STREQ("two", pData->GetNpcInfo(2)->Name);
  EXPECT_STREQ("three", pData->GetNpcInfo(3)->Name);
  EXPECT_EQ(pLook, pData->GetNpcStarLookInfo(1));
  EXPECT_STREQ("uno", pLook->Name);
  EXPECT_STREQ("zero", pData->GetNpcStarLookInfo(5)->Name);
}

}  // namespace
