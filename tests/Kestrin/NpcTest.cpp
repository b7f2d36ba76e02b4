// NPC definitions (ini/Npc.ini) and star looks (ini/NpcX.ini), loaded as the client loads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "ModuleFixture.h"

namespace {

using NpcTest = ModuleTest;

// One complete record of ini/Npc.ini for the section name.
std::string NpcRecord(const std::string& strSection, const std::string& strName) {
  return "[" + strSection + "]\nName=" + strName +
         "\nSimpleObjID=12\nStandByMotion=100\nBlazeMotion=101\nRestMotion=102\n"
         "Effect=glow\nASB=0\nADB=0\nFixDir=1\n";
}

TEST_F(NpcTest, RecordFieldsAreReadInTheirOrder) {
  Write("ini/Npc.ini",
        "; merchants of the harbour\n"
        "[NpcType0101]\n"
        "Name=Merchant\n"
        "SimpleObjID=4294967295\n"
        "StandByMotion=9000000000\n"
        "BlazeMotion=-9000000000\n"
        "RestMotion=7\n"
        "Effect=npc_glow\n"
        "ASB=4294967293\n"  // %d keeps the low 32 bits
        "ADB=4\n"
        "FixDir=6\n");
  I3DRoleBaseData* pData = Load();
  const NpcInfo* pInfo = pData->GetNpcInfo(101);
  ASSERT_NE(nullptr, pInfo);
  EXPECT_EQ(101, pInfo->Id);
  EXPECT_STREQ("Merchant", pInfo->Name);
  EXPECT_STREQ("npc_glow", pInfo->Effect);
  EXPECT_EQ(4294967295u, pInfo->SimpleObjID);
  EXPECT_EQ(9000000000, pInfo->StandByMotion);
  EXPECT_EQ(-9000000000, pInfo->BlazeMotion);
  EXPECT_EQ(7, pInfo->RestMotion);
  EXPECT_EQ(-3, pInfo->ASB);
  EXPECT_EQ(4, pInfo->ADB);
  EXPECT_EQ(6u, pInfo->FixDir);
  EXPECT_FALSE(LogHas("Npc.ini"));
}

// The maps are ordered by signed type: -5 is the smallest, for types below, between and above.
TEST_F(NpcTest, AbsentTypeFallsBackToTheSmallestSignedType) {
  Write("ini/Npc.ini", NpcRecord("NpcType3", "three") + NpcRecord("NpcType-5", "minus"));
  Write("ini/NpcX.ini", "[3]\nName=three\n[-5]\nName=minus\n[2147483647]\nName=max\n");
  I3DRoleBaseData* pData = Load();
  for (int32_t nType : {INT32_MIN, -6, 0, 2, 4, INT32_MAX - 1}) {
    const NpcInfo* pInfo = pData->GetNpcInfo(nType);
    ASSERT_NE(nullptr, pInfo) << nType;
    EXPECT_STREQ("minus", pInfo->Name) << nType;
    const NpcStarLookInfo* pLook = pData->GetNpcStarLookInfo(nType);
    ASSERT_NE(nullptr, pLook) << nType;
    EXPECT_EQ(-5, pLook->Id) << nType;
  }
  EXPECT_EQ(3, pData->GetNpcInfo(3)->Id);
  EXPECT_STREQ("three", pData->GetNpcStarLookInfo(3)->Name);
  EXPECT_STREQ("max", pData->GetNpcStarLookInfo(INT32_MAX)->Name);
}

TEST_F(NpcTest, LaterRecordOfATypeWins) {
  Write("ini/Npc.ini", NpcRecord("NpcType7", "first") + NpcRecord("NpcType0007", "second"));
  Write("ini/NpcX.ini", "[7]\nName=first\n[7]\nName=second\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_STREQ("second", pData->GetNpcInfo(7)->Name);
  EXPECT_STREQ("second", pData->GetNpcStarLookInfo(7)->Name);
}

TEST_F(NpcTest, RecordCutOffByTheEndOfTheFileKeepsZeros) {
  Write("ini/Npc.ini", NpcRecord("NpcType1", "one") + "[NpcType2]\nName=two\nSimpleObjID=5\nStand");
  I3DRoleBaseData* pData = Load();
  const NpcInfo* pInfo = pData->GetNpcInfo(2);
  ASSERT_EQ(2, pInfo->Id);
  EXPECT_STREQ("two", pInfo->Name);
  EXPECT_EQ(5u, pInfo->SimpleObjID);
  EXPECT_EQ(0, pInfo->StandByMotion);
  EXPECT_STREQ("", pInfo->Effect);
  EXPECT_EQ(0u, pInfo->FixDir);
  EXPECT_FALSE(LogHas("error data"));
}

struct BadRecordCase {
  const char* pszName;
  const char* pszSection;
  const char* pszBody;
};

// A bad record is logged with its section name and ends the reading of ini/Npc.ini;
// ini/NpcX.ini is still read.
TEST_F(NpcTest, BadRecordStopsTheReadingOfNpcIni) {
  const BadRecordCase cases[] = {
      {"comment word before Name", "NpcType0021", "; Name=x SimpleObjID=1"},
      {"lines out of order", "NpcType0022", "SimpleObjID=1 Name=x"},
      {"misspelt key", "NpcType0023", "Name=x SimpleObjId=1"},
      {"blank before '='", "NpcType0024", "Name =x"},
      {"value not a number", "NpcType0025", "Name=x SimpleObjID=x"},
      {"name missing", "NpcType0026", "Name=\nSimpleObjID=1 StandByMotion=1"},
  };
  for (const BadRecordCase& c : cases) {
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

TEST_F(NpcTest, LongValuesAreCutToTheirFields) {
  Write("ini/Npc.ini", NpcRecord("NpcType1", std::string(40, 'n')) +
                           "[NpcType2]\nName=x\nSimpleObjID=1\nStandByMotion=1\nBlazeMotion=1\n"
                           "RestMotion=1\nEffect=" +
                           std::string(3000, 'e') +
                           "\nASB=1\nADB=1\n"
                           "FixDir=1\n");
  Write("ini/NpcX.ini",
        "[1]\nNote=" + std::string(40, 'o') + "\nEffAdd=" + std::string(31, 'a') + "\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(std::string(31, 'n'), pData->GetNpcInfo(1)->Name);
  EXPECT_EQ(std::string(63, 'e'), pData->GetNpcInfo(2)->Effect);
  EXPECT_EQ(std::string(31, 'o'), pData->GetNpcStarLookInfo(1)->Note);
  EXPECT_EQ(std::string(31, 'a'), pData->GetNpcStarLookInfo(1)->EffAdd);
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
        "FrontBlock=-1\nBackBlock=0x10\nLeftBlock=3abc\nRightBlock=x\n"
        "EffAdd=a;b\nEffDel=d\n"
        "[41]\n"
        "Look=\n"
        "Name= \n");
  I3DRoleBaseData* pData = Load();
  const NpcStarLookInfo* pInfo = pData->GetNpcStarLookInfo(40);
  ASSERT_NE(nullptr, pInfo);
  EXPECT_EQ(40, pInfo->Id);
  EXPECT_STREQ("Harbour master", pInfo->Name);
  EXPECT_EQ(1, pInfo->FixDir);
  EXPECT_EQ(2, pInfo->AddSize);
  EXPECT_EQ(3, pInfo->Scale);
  EXPECT_EQ(4, pInfo->Look);
  EXPECT_EQ(5, pInfo->Head);
  EXPECT_EQ(6, pInfo->Hair);
  EXPECT_EQ(7, pInfo->Armor);
  EXPECT_EQ(8, pInfo->Armet);
  EXPECT_EQ(9, pInfo->RWeapon);
  EXPECT_EQ(10, pInfo->LWeapon);
  EXPECT_EQ(11, pInfo->Misc);
  EXPECT_EQ(12, pInfo->MiscBack);
  EXPECT_EQ(13, pInfo->Mount);
  EXPECT_STREQ("fx", pInfo->Effect);
  EXPECT_STREQ("keeps the docks", pInfo->Note);
  EXPECT_EQ(-1, pInfo->FrontBlock);
  EXPECT_EQ(0, pInfo->BackBlock);  // decimal only
  EXPECT_EQ(3, pInfo->LeftBlock);
  EXPECT_EQ(0, pInfo->RightBlock);
  EXPECT_STREQ("a;b", pInfo->EffAdd);
  EXPECT_STREQ("d", pInfo->EffDel);
  // Missing keys and "Look=" leave 0 and "": the empty key is reported by the reader.
  pInfo = pData->GetNpcStarLookInfo(41);
  ASSERT_EQ(41, pInfo->Id);
  EXPECT_EQ(0, pInfo->Look);
  EXPECT_STREQ("", pInfo->Name);
  EXPECT_STREQ("", pInfo->EffDel);
  EXPECT_EQ(1, LogCount("ini/NpcX.ini key: Look format wrong!"));
  EXPECT_EQ(0, LogCount("key: Name format wrong!"));
}

struct StarLookErrorCase {
  const char* pszName;
  const char* pszText;
  const char* pszMessage;
};

// A section that cannot be read ends the star looks; those read before stay.
TEST_F(NpcTest, UnreadableStarLookSectionEndsTheLoad) {
  const StarLookErrorCase cases[] = {
      {"empty title", "[1]\nName=a\n[]\nName=b\n[3]\nName=c\n",
       "ini/NpcX.ini: read starlook title error"},
      {"title too long", "[1]\nName=a\n[12345678901234567890123456789012]\n[3]\nName=c\n",
       "ini/NpcX.ini: read starlook block error."},
      {"read to the end", "[1]\nName=a\n; end\n", nullptr},
  };
  for (const StarLookErrorCase& c : cases) {
    Write("ini/Npc.ini", "");
    Write("ini/NpcX.ini", c.pszText);
    I3DRoleBaseData* pData = Load();
    EXPECT_STREQ("a", pData->GetNpcStarLookInfo(1)->Name) << c.pszName;
    EXPECT_EQ(1, pData->GetNpcStarLookInfo(3)->Id) << c.pszName;
    if (c.pszMessage != nullptr) {
      EXPECT_EQ(1, LogCount(c.pszMessage)) << c.pszName;
    } else {
      EXPECT_FALSE(LogHas("starlook")) << c.pszName;
    }
    RoleBaseDataDestroy();
    std::filesystem::remove_all("debug");
  }
}

TEST_F(NpcTest, CommentsOnlyStarLookFileIsABlockError) {
  Write("ini/Npc.ini", "");
  Write("ini/NpcX.ini", "; no star look yet\nstray line\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(nullptr, pData->GetNpcStarLookInfo(0));
  EXPECT_EQ(1, LogCount("ini/NpcX.ini: read starlook block error."));
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
