// Appended weapons and weapon adjustment by look, loaded from files as the client loads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ModuleFixture.h"

namespace {

using WeaponTablesTest = ModuleTest;

TEST_F(WeaponTablesTest, AppendedWeaponLinesFollowTheScanRules) {
  Write("ini/AppendentWeapon.ini",
        "410=411\n"
        "420=0\n"      // listed as 0: answers as an unlisted weapon
        "430 = 431\n"  // blank before '=': skipped
        ";440=441\n"
        "\n"
        "450=451 ; spear\n"  // text after the value is ignored
        "460=461\n460=462\n"
        " 470= 471\n"  // blanks before numbers are allowed
        "-1=5\n"       // %u takes a sign
        "480=-1\n"
        "4294967786=5\n" +  // %u keeps the low 32 bits: 490
            std::string(1023, ' ') +
            "7=8\n" +                            // lines are read in pieces of 1023 characters
            std::string(1022, 'x') + "9=10\n");  // "9" ends a piece
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(411u, pData->GetAppendentWeapon(410));
  EXPECT_EQ(0u, pData->GetAppendentWeapon(412));
  EXPECT_EQ(0u, pData->GetAppendentWeapon(420));
  EXPECT_EQ(0u, pData->GetAppendentWeapon(430));
  EXPECT_EQ(0u, pData->GetAppendentWeapon(440));
  EXPECT_EQ(451u, pData->GetAppendentWeapon(450));
  EXPECT_EQ(462u, pData->GetAppendentWeapon(460));
  EXPECT_EQ(471u, pData->GetAppendentWeapon(470));
  EXPECT_EQ(5u, pData->GetAppendentWeapon(4294967295u));
  EXPECT_EQ(4294967295u, pData->GetAppendentWeapon(480));
  EXPECT_EQ(5u, pData->GetAppendentWeapon(490));
  EXPECT_EQ(8u, pData->GetAppendentWeapon(7));
  EXPECT_EQ(0u, pData->GetAppendentWeapon(9));
  EXPECT_FALSE(LogHas("AppendentWeapon"));
}

TEST_F(WeaponTablesTest, AdjustmentIsKeyedByLookThenWeapon) {
  Write("ini/WeaponAdjustByLook.ini",
        "410.3=420\n"
        "410.-1=430\n"          // the look is signed and used bit for bit
        "1000001.0=7\n1.1=8\n"  // weapon 1000001 runs into the look part: one key
        "500.2 =9\n"            // skipped
        "510.2=11\n510.2=12\n"
        "0.4295=1\n");  // look × 1000000 wraps in 32 bits: 4295000000 - 2^32 = 32704
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(420u, pData->GetWeaponAdjustByLook(410, 3));
  EXPECT_EQ(410u, pData->GetWeaponAdjustByLook(410, 4));
  EXPECT_EQ(3u, pData->GetWeaponAdjustByLook(3, 410));
  EXPECT_EQ(430u, pData->GetWeaponAdjustByLook(410, 4294967295u));
  EXPECT_EQ(8u, pData->GetWeaponAdjustByLook(1000001, 0));
  EXPECT_EQ(8u, pData->GetWeaponAdjustByLook(1, 1));
  EXPECT_EQ(500u, pData->GetWeaponAdjustByLook(500, 2));
  EXPECT_EQ(12u, pData->GetWeaponAdjustByLook(510, 2));
  EXPECT_EQ(1u, pData->GetWeaponAdjustByLook(0, 4295));
  EXPECT_EQ(1u, pData->GetWeaponAdjustByLook(32704, 0));
}

}  // namespace
