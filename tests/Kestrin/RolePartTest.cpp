// Role part replacement (ini/RolePartReplace.ini) decides what Create answers, over reloads. What
// the hiding and replacement files give is asked by the cases of tests/cases/role-part.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ModuleFixture.h"

namespace {

using RolePartTest = ModuleTest;

// An entry of ini/RolePartHide.ini with one section.
std::string HideEntry(const std::string& strHeader, const std::string& strPart, uint32_t nFrom,
                      uint32_t nTo) {
  return strHeader + "\nSectionAmount=1\nSection0=" + strPart + " " + std::to_string(nFrom) + " " +
         std::to_string(nTo) + "\n";
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
