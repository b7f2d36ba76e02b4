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
  EXPECT_EQ("411 0 0 0 0 451 462 471 5 4294967295 5 8 0",
            Each({410u, 412u, 420u, 430u, 440u, 450u, 460u, 470u, 4294967295u, 480u, 490u, 7u, 9u},
                 [&](uint32_t n) { return pData->GetAppendentWeapon(n); }));
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
  using Key = std::pair<uint32_t, uint32_t>;  // weapon, look
  EXPECT_EQ("420 410 3 430 8 8 500 12 1 1",
            Each<Key>({{410, 3}, {410, 4}, {3, 410}, {410, 4294967295u}, {1000001, 0}, {1, 1},
                       {500, 2}, {510, 2}, {0, 4295}, {32704, 0}},
                      [&](Key k) { return pData->GetWeaponAdjustByLook(k.first, k.second); }));
}

}  // namespace
