// Role part, look and mount scales and the 2D looks, loaded from files as the client loads them.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "ModuleFixture.h"

namespace {

using ScaleTablesTest = ModuleTest;

// One line per case in ini/RolePartScale.ini, asked for by the line's two numbers.
TEST_F(ScaleTablesTest, RolePartLinesFollowTheScanRules) {
  const struct {
    const char* pszLine;
    uint32_t a, b;
    float fExpected;
  } cases[] = {
      {"12.5=1.25\n", 12, 5, 1.25f},
      {"12.5=1.25 extra\n", 12, 5, 1.25f},  // text after the scale is ignored
      {"12. 5=1.25\n", 12, 5, 1.25f},       // a blank may stand before a number
      {"  12.5=1.25", 12, 5, 1.25f},        // no line break needed
      {"12.5=-0.5\n", 12, 5, -0.5f},        // stored as read, no clamping
      {"12.5=2e1\n", 12, 5, 20.0f},         // exponent
      {"12.5 = 1.25\n", 12, 5, 1.0f},       // blank before '='
      {"12 .5=1.25\n", 12, 5, 1.0f},        // blank before '.'
      {"12.5=\n", 12, 5, 1.0f},             // two conversions are not enough
      {";12.5=1.25\n", 12, 5, 1.0f},        // comments are lines that do not parse
      {"[12.5=1.25]\n", 12, 5, 1.0f},
      {"/12.5=1.25\n", 12, 5, 1.0f},
      {"-1.-1=2.5\n", 4294967295u, 4294967295u, 2.5f},  // bits of the unsigned arguments
      {"4294967308.5=2\n", 12, 5, 2.0f},                // %d keeps the low 32 bits
      {"12.5=1e40\n", 12, 5, std::numeric_limits<float>::infinity()},  // too large
      {"12.5=1e-50\n", 12, 5, 0.0f},                                   // too small
  };
  for (const auto& c : cases) {
    I3DRoleBaseData* pData = LoadWith("ini/RolePartScale.ini", c.pszLine);
    EXPECT_FLOAT_EQ(c.fExpected, pData->GetRolePartScale(c.a, c.b)) << c.pszLine;
    EXPECT_FLOAT_EQ(1.0f, pData->GetRolePartScale(12, 6)) << c.pszLine;
  }
  EXPECT_FALSE(LogHas("RolePartScale"));
}

// A × 1000 + B is not one-to-one, and wraps in 32 bits: colliding lines share one entry
// and the later line stands.
TEST_F(ScaleTablesTest, RolePartKeysCollideAndWrapIn32Bits) {
  Write("ini/RolePartScale.ini",
        "1.1000=2.0\n2.0=3.0\n"
        "2147483.1000=4.0\n-2147483.-296=5.0\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_FLOAT_EQ(3.0f, pData->GetRolePartScale(1, 1000));
  EXPECT_FLOAT_EQ(3.0f, pData->GetRolePartScale(2, 0));
  // 2147483 × 1000 + 1000 = 2^31 + 352 wraps to -2147483296 = -2147483 × 1000 - 296.
  EXPECT_FLOAT_EQ(5.0f, pData->GetRolePartScale(2147483, 1000));
  EXPECT_FLOAT_EQ(
      5.0f, pData->GetRolePartScale(static_cast<uint32_t>(-2147483), static_cast<uint32_t>(-296)));
}

TEST_F(ScaleTablesTest, MountKeysUseMillionsAndCollide) {
  Write("ini/MountScale.ini", "7.3=0\n1.1000000=2.0\n2.0=3.0\n7.2=1.5\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_FLOAT_EQ(0.0f, pData->GetMountScale(7, 3));  // 0 is a value, not the default
  EXPECT_FLOAT_EQ(1.5f, pData->GetMountScale(7, 2));
  EXPECT_FLOAT_EQ(3.0f, pData->GetMountScale(1, 1000000));
  EXPECT_FLOAT_EQ(3.0f, pData->GetMountScale(2, 0));
  EXPECT_FLOAT_EQ(1.0f, pData->GetMountScale(7, 4));
  EXPECT_FLOAT_EQ(1.0f, pData->GetRolePartScale(7, 3));  // the tables are separate
}

TEST_F(ScaleTablesTest, LookScaleLaterLineWins) {
  Write("ini/LookScale.ini", "1201=0.8\n1202=1.1\n1201=0.9\n-3=2\n1203 = 4\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ("0.9 1.1 2 1", Each({1201u, 1202u, 4294967293u, 1203u},
                                 [&](uint32_t n) { return pData->GetLookScale(n); }));
}

// The scale files are read in pieces of 1022 characters, the 2D looks in pieces of 1023; the
// rest of a longer line is parsed as a line of its own.
TEST_F(ScaleTablesTest, LongLinesAreReadInFgetsPieces) {
  Write("ini/RolePartScale.ini",
        std::string(1022, 'x') + "5.5=2.5\n" + std::string(1022, 'y') + "z6.6=3.5\n");
  Write("ini/LookScale.ini", std::string(1022, 'x') + "8=2.5\n");
  Write("ini/2DRoleLook.ini", std::string(1023, 'x') + "77\n" + std::string(1022, 'y') + "88\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_FLOAT_EQ(2.5f, pData->GetRolePartScale(5, 5));
  EXPECT_FLOAT_EQ(1.0f, pData->GetRolePartScale(6, 6));  // the piece is "z6.6=3.5"
  EXPECT_FLOAT_EQ(2.5f, pData->GetLookScale(8));
  EXPECT_TRUE(pData->Is2DRoleLook(77));
  EXPECT_FALSE(pData->Is2DRoleLook(88));  // the piece is "y88"
}

TEST_F(ScaleTablesTest, TwoDLooksAreTheNumbersBeforeEachLineBreak) {
  // A NUL byte ends the line as the C string it is read into: "12\0" loses its "2".
  Write("ini/2DRoleLook.ini",
        std::string("1001\n-1\n1005=anything\n\n; note\n 1006\r\n12\0 9\n34\n1007", 50));
  I3DRoleBaseData* pData = Load();
  // The last line has no line break: cutting its last character leaves 100, not 1007.
  EXPECT_EQ("1 1 1 1 0 1 0 1 0 1",
            Each({1001u, 4294967295u, 1005u, 1006u, 1002u, 1u, 12u, 34u, 1007u, 100u},
                 [&](uint32_t n) { return pData->Is2DRoleLook(n); }));
  EXPECT_FALSE(LogHas("2DRoleLook"));
}

}  // namespace
