// The weapon and action effect tables: word reading, key packing and the eight tries.
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
  void WriteTable(const std::string& strText) { Write(GetParam().pszFile, strText); }
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

// The keys of the eight tries for the query (7, 2, 3, 4), in their order.
const char* const TRY_KEYS[8] = {"7.2.3.4",      "9999.2.3.4", "9999.9999.3.4", "9999.2.999.4",
                                 "9999.2.3.999", "7.9999.3.4", "7.2.999.4",     "7.2.3.999"};

// Each row loads its own table and asks one question.
TEST_P(Effect3DTest, KeysAndTheirTries) {
  const std::string strLong(255, 'n');
  const struct {
    std::string strFile;
    uint32_t a, b, c, d;
    std::string strName;
  } cases[] = {
      {"1.2.3.4=fx_a\n", 1, 2, 3, 4, "fx_a"},
      {"1.2.3.4=fx_a\n", 1, 2, 3, 5, "(null)"},
      {"1.2.3.4=fx_old\n1.2.3.4=fx_new\n", 1, 2, 3, 4, "fx_new"},  // the later word wins
      {"1.2.3.4=" + strLong + "\n", 1, 2, 3, 4, strLong},
      {"7.9999.3.4=fx_d 9999.9999.3.4=fx_c\n", 7, 2, 3, 4, "fx_c"},   // try 3 before try 6
      {"9999.2.3.999=fx_f 9999.2.999.4=fx_e\n", 7, 2, 3, 4, "fx_e"},  // try 4 before try 5
      // An argument equal to its wildcard repeats a try.
      {"9999.2.3.4=fx_n 9999.9999.3.4=fx_o\n", 9999, 2, 3, 4, "fx_n"},
      {"9999.2.3.4=fx_n 9999.9999.3.4=fx_o\n", 9999, 9999, 3, 4, "fx_o"},
      // Wildcard arguments reach double-wildcard keys that no try forms.
      {"7.2.999.999=fx_g\n", 7, 2, 999, 4, "fx_g"},
      {"7.2.999.999=fx_g\n", 7, 2, 3, 999, "fx_g"},
      {"7.2.999.999=fx_g\n", 7, 2, 999, 999, "fx_g"},
      {"9999.9999.999.999=fx_h\n", 7, 2, 999, 999, "fx_h"},
      // b has four digits, c and d three each: a wider number runs into the next field.
      {"1.2.3.1000=fx_k 1.2.4.0=fx_l\n", 1, 2, 3, 1000, "fx_l"},
      {"1.2.3.1000=fx_k 1.2.4.0=fx_l\n", 1, 2, 4, 0, "fx_l"},
      {"3.10000.0.0=fx_m\n", 4, 0, 0, 0, "fx_m"},
      {"4294967295.4294967295.4294967295.4294967295=fx_max 0.0.0.0=fx_zero\n", 4294967295u,
       4294967295u, 4294967295u, 4294967295u, "fx_max"},
      {"4294967295.4294967295.4294967295.4294967295=fx_max 0.0.0.0=fx_zero\n", 0, 0, 0, 0,
       "fx_zero"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.strName, Query(LoadTable(c.strFile), c.a, c.b, c.c, c.d))
        << c.strFile.substr(0, 60) << " asked " << c.a << "." << c.b << "." << c.c << "." << c.d;
  }
  EXPECT_EQ(0, LogCount("invalid line"));
}

// With the keys of tries k to 8 present, try k answers: each try finds its key, and the list is
// walked in its order.
TEST_P(Effect3DTest, EarlierTryWinsOverEveryLaterOne) {
  for (int nFirst = 0; nFirst < 8; ++nFirst) {
    std::string strText;
    for (int nTry = 7; nTry >= nFirst; --nTry) {
      strText += std::string(TRY_KEYS[nTry]) + "=fx_try" + std::to_string(nTry + 1) + "\n";
    }
    EXPECT_EQ("fx_try" + std::to_string(nFirst + 1), Query(LoadTable(strText), 7, 2, 3, 4));
  }
}

TEST_P(Effect3DTest, CombinationsOutsideTheListAreNeverTried) {
  I3DRoleBaseData* pData = LoadTable(
      "7.2.999.999=fx 7.9999.999.4=fx 7.9999.3.999=fx 9999.9999.999.4=fx 9999.9999.3.999=fx "
      "9999.2.999.999=fx 9999.9999.999.999=fx 7.9999.999.999=fx\n");
  EXPECT_EQ("(null)", Query(pData, 7, 2, 3, 4));
  EXPECT_EQ("fx", Query(pData, 7, 9999, 999, 999));  // the keys are there
}

// A comment word is skipped, the rest of its line read; blanks round '=' make three bad words.
TEST_P(Effect3DTest, CommentWordIsSkippedAndEachBadWordIsLogged) {
  I3DRoleBaseData* pData = LoadTable("// sword 1.2.3.4=fx_i\n;note\n/x\n5.6.7.8 = fx_j\n");
  EXPECT_EQ("fx_i", Query(pData, 1, 2, 3, 4));
  EXPECT_EQ("(null)", Query(pData, 5, 6, 7, 8));
  for (const char* pszWord : {"sword", "5.6.7.8", "=", "fx_j"}) {
    EXPECT_EQ(1, LogCount(Invalid(pszWord))) << pszWord;
  }
  EXPECT_EQ(4, LogCount("invalid line ["));
}

TEST_P(Effect3DTest, GarbageWordsAreEachLoggedAndReadingGoesOn) {
  WriteTable(std::string("\x01\xff\xfe 1.2.3 1.2.3.4= 1.2.3.x=fx .... ") +
             std::string("=fx\0zz", 6) + " 5.6.7.8=fx_ok " + std::string(3000, '#') +
             " 1.1.1.1=fx_end");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ("fx_ok", Query(pData, 5, 6, 7, 8));
  EXPECT_EQ("fx_end", Query(pData, 1, 1, 1, 1));
  EXPECT_TRUE(LogHas(Invalid("1.2.3")));
  EXPECT_TRUE(LogHas(Invalid("1.2.3.4=")));
  EXPECT_TRUE(LogHas(Invalid("=fx")));  // the word reads up to its zero byte
}

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

using Effect3DTablesTest = ModuleTest;

// Without its file a table answers null, wildcards too, and logs nothing.
TEST_F(Effect3DTablesTest, EachQueryReadsItsOwnTable) {
  I3DRoleBaseData* p = Load();
  EXPECT_EQ("(null) (null)", Say(p->GetAction3DEffect(9999, 9999, 999, 999),
                                 p->GetRoleWeapon3DEffect(9999, 9999, 999, 999)));
  EXPECT_EQ(0, LogCount("3DEffect"));
  Write(WEAPON.pszFile, "1.2.3.4=fx_weapon\n");
  Write(ACTION.pszFile, "5.6.7.8=fx_action\n");
  p->Create();
  EXPECT_EQ("fx_weapon (null) fx_action (null)",
            Say(p->GetRoleWeapon3DEffect(1, 2, 3, 4), p->GetAction3DEffect(1, 2, 3, 4),
                p->GetAction3DEffect(5, 6, 7, 8), p->GetRoleWeapon3DEffect(5, 6, 7, 8)));
}

}  // namespace
