// The action sound table: the word stream that stops at its first bad word, the 999 try and
// the report of long names.
#include <gtest/gtest.h>

#include <string>

#include "ModuleFixture.h"

namespace {

const char ACTION_SOUND_FILE[] = "ini/ActionSound.ini";
const char LONG_NAME_ASSERT[] =
    "\xA1\xEF"
    "ASSERT(strlen(szSound) < 128) in 2896 line of Kestrin/3DRoleBaseData "
    "[C3DRoleBaseData::CreateSoundInfo]"
    "\xA1\xEF";

class ActionSoundTest : public ModuleTest {
 protected:
  std::string Sound(uint32_t a, uint32_t b, uint32_t c) {
    return OrNull(m_pData->GetActionSound(a, b, c));
  }
  void LoadText(const std::string& strText) { m_pData = LoadWith(ACTION_SOUND_FILE, strText); }
  I3DRoleBaseData* m_pData = nullptr;
};

// Each row loads its own file and asks one question. Names up to 255 characters are kept whole;
// from 128 characters on they are reported.
TEST_F(ActionSoundTest, KeysTheFallbackAndLongNames) {
  const struct {
    std::string strFile;
    uint32_t a, b, c;
    std::string strName;
    int nLongNameReports;
  } cases[] = {
      {"1.2.3=snd_a\n", 1, 2, 3, "snd_a", 0},
      {"1.2.3=snd_a\n", 1, 2, 4, "(null)", 0},
      {"1.999.3=snd_b 7.2.999=snd_x 999.2.3=snd_y\n", 1, 2, 3, "snd_b", 0},  // the one fallback
      {"1.999.3=snd_b 7.2.999=snd_x 999.2.3=snd_y\n", 1, 999, 3, "snd_b", 0},
      {"1.999.3=snd_b 7.2.999=snd_x 999.2.3=snd_y\n", 5, 2, 3, "(null)", 0},
      {"1.999.3=snd_b 7.2.999=snd_x 999.2.3=snd_y\n", 7, 2, 3, "(null)", 0},
      {"1.999.3=snd_d\n1.2.3=snd_c\n", 1, 2, 3, "snd_c", 0},  // the exact key first
      {"1.999.3=snd_d\n1.2.3=snd_c\n", 1, 4, 3, "snd_d", 0},
      {"1.2.3=snd_old 1.2.3=snd_new", 1, 2, 3, "snd_new", 0},
      // c has four digits, b three; b * 10000 wraps in 32 bits from b = 429497 on.
      {"1.2.10000=snd_i 1.3.0=snd_j", 1, 2, 10000, "snd_j", 0},
      {"1.2.10000=snd_i 1.3.0=snd_j", 1, 3, 0, "snd_j", 0},
      {"1.429497.0=snd_k", 1, 0, 2704, "snd_k", 0},  // 429497 * 10000 mod 2^32 = 2704
      {"4294967295.0.0=snd_l", 4294967295u, 0, 0, "snd_l", 0},
      {"4294967295.0.0=snd_l", 0, 0, 0, "(null)", 0},
      {"1.2.3=" + std::string(127, 'q'), 1, 2, 3, std::string(127, 'q'), 0},
      {"1.2.3=" + std::string(128, 'r') + " 4.5.6=snd_next", 1, 2, 3, std::string(128, 'r'), 1},
      {"1.2.3=" + std::string(128, 'r') + " 4.5.6=snd_next", 4, 5, 6, "snd_next", 1},
      {"1.2.3=" + std::string(255, 's'), 1, 2, 3, std::string(255, 's'), 1},
  };
  for (const auto& c : cases) {
    ClearLog();
    LoadText(c.strFile);
    EXPECT_EQ(c.strName, Sound(c.a, c.b, c.c)) << c.strFile.substr(0, 40);
    EXPECT_EQ(c.nLongNameReports, LogCount(LONG_NAME_ASSERT)) << c.strFile.substr(0, 40);
    EXPECT_EQ(0, LogCount("ActionSound")) << c.strFile.substr(0, 40);
  }
}

// The first word that is not a whole a.b.c=name is logged and ends the load: the words before
// it stay, those after it are never read.
TEST_F(ActionSoundTest, FirstBadWordIsLoggedAndEndsTheLoad) {
  const char* const aBad[] = {";",        "1.2.3",     "1.2.3=", "1.2=snd", "a.2.3=snd",
                              "1.2.3snd", "1.2.-=snd", "=snd",   "1..3=snd"};
  for (const char* pszBad : aBad) {
    LoadText(std::string("9.9.9=snd_before\n") + pszBad + " = comment\n8.8.8=snd_after");
    EXPECT_EQ("snd_before", Sound(9, 9, 9)) << pszBad;
    EXPECT_EQ("(null)", Sound(8, 8, 8)) << pszBad;
    EXPECT_TRUE(LogHas(std::string("error line:[") + pszBad + "] in ini/ActionSound.ini!"))
        << pszBad;
  }
  EXPECT_EQ(static_cast<int>(std::size(aBad)), LogCount("error line:"));
  const char GARBAGE[] = "\xff\x01\x80garbage\0 1.2.3=snd";
  LoadText(std::string(GARBAGE, sizeof(GARBAGE) - 1));
  EXPECT_EQ("(null)", Sound(1, 2, 3));
  EXPECT_EQ(static_cast<int>(std::size(aBad)) + 1, LogCount("error line:["));
}

}  // namespace
