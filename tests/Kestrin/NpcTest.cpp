// NPC definitions (ini/Npc.ini) and star looks (ini/NpcX.ini) loaded twice: the records handed
// out stay where they are. What each load reads is asked by the cases of tests/cases/npc.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ModuleFixture.h"

namespace {

using NpcTest = ModuleTest;

// One complete record of ini/Npc.ini for the section name.
std::string NpcRecord(const std::string& strSection, const std::string& strName) {
  return "[" + strSection + "]\nName=" + strName +
         "\nSimpleObjID=12\nStandByMotion=100\nBlazeMotion=101\nRestMotion=102\nEffect=glow"
         "\nASB=0\nADB=0\nFixDir=1\n";
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
