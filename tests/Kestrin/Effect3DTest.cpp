// The weapon and action effect tables: a run of megabytes. Their words, keys, tries and which
// table each query reads are asked by the cases of tests/cases/weapon-effect and action-effect.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ModuleFixture.h"

namespace {

struct EffectTable {
  const char* pszFile;
  const char* (I3DRoleBaseData::*pQuery)(uint32_t, uint32_t, uint32_t, uint32_t);
};

void PrintTo(const EffectTable& table, std::ostream* pOut) { *pOut << table.pszFile; }

const EffectTable WEAPON = {"ini/RoleWeapon3DEffect.ini", &I3DRoleBaseData::GetRoleWeapon3DEffect};
const EffectTable ACTION = {"ini/Action3DEffect.ini", &I3DRoleBaseData::GetAction3DEffect};

// Both tables load and answer alike; each case runs on each.
class Effect3DTest : public ModuleTest, public ::testing::WithParamInterface<EffectTable> {
 protected:
  I3DRoleBaseData* LoadTable(const std::string& strText) {
    return LoadWith(GetParam().pszFile, strText);
  }
  std::string Query(I3DRoleBaseData* pData, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    return OrNull((pData->*GetParam().pQuery)(a, b, c, d));
  }
  std::string Invalid(const std::string& strWord) {
    return "invalid line [" + strWord + "] found in " + GetParam().pszFile + ".";
  }
};

INSTANTIATE_TEST_SUITE_P(BothTables, Effect3DTest, ::testing::Values(WEAPON, ACTION),
                         [](const auto& info) { return info.index == 0 ? "Weapon" : "Action"; });

// A run of megabytes without a blank is read in words of 1023 characters: a record that starts
// right at a word's boundary is read whole; the run's words give one message, repeated.
TEST_P(Effect3DTest, RunOfMegabytesIsReadInWordsOf1023) {
  const size_t nWords = 8200;
  std::string strRun(nWords * 1023, 'x');
  I3DRoleBaseData* pData = LoadTable(strRun + "1.2.3.4=fx_a " + strRun + "x5.6.7.8=fx_b");
  EXPECT_EQ("fx_a", Query(pData, 1, 2, 3, 4));
  EXPECT_EQ("(null)", Query(pData, 5, 6, 7, 8));
  EXPECT_EQ(1, LogCount("invalid line [" + std::string(1009, 'x') + " -- "));  // cut to 1023
  EXPECT_TRUE(LogHas(Invalid("x5.6.7.8=fx_b")));
}

}  // namespace
