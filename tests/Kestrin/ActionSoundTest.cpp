// The action sound table: the word stream that stops at its first bad word, the 999 try and
// the report of long names.
#include <gtest/gtest.h>

#include <string>

#include "ModuleFixture.h"

namespace {

const char ACTION_SOUND_FILE[] = "ini/ActionSound.ini";
const char LONG_NAME_ASSERT[] =
    "\xA1\xEF" "ASSERT(strlen(szSound) < 128) in 2896 line of Kestrin/3DRoleBaseData "
    "[C3DRoleBaseData::CreateSoundInfo]" "\xA1\xEF";

class ActionSoundTest : public ModuleTest {
 protected:
  std::string Sound(uint32_t a, uint32_t b, uint32_t c) {
    const char* pszName = m_pData->GetActionSound(a, b, c);
    return pszName != nullptr ? pszName : "(null)";
  }
  void LoadText(const std::string& strText) {
    Write(ACTION_SOUND_FILE, strText);
    m_pData = Load();
  }
  I3DRoleBaseData* m_pData = nullptr;
};

TEST_F(ActionSoundTest, ExactKeyIsFound) {
  LoadText("1.2.3=snd_a\n");
  EXPECT_EQ("snd_a", Sound(1, 2, 3));
  EXPECT_EQ("(null)", Sound(1, 2, 4));
  EXPECT_EQ(0, LogCount("ActionSound"));
}

TEST_F(ActionSoundTest, SecondNumber999IsTheOneFallback) {
  LoadText("1.999.3=snd_b 7.2.999=snd_x 999.2.3=snd_y\n");
  EXPECT_EQ("snd_b", Sound(1, 2, 3));
  EXPECT_EQ("snd_b", Sound(1, 999, 3));
  EXPECT_EQ("(null)", Sound(5, 2, 3));
  EXPECT_EQ("(null)", Sound(7, 2, 3));  // no wildcard in the third number
}

TEST_F(ActionSoundTest, ExactKeyComesBeforeTheFallback) {
  LoadText("1.999.3=snd_d\n1.2.3=snd_c\n");
  EXPECT_EQ("snd_c", Sound(1, 2, 3));
  EXPECT_EQ("snd_d", Sound(1, 4, 3));
}

TEST_F(ActionSoundTest, FirstBadWordIsLoggedAndEndsTheLoad) {
  LoadText("1.2.3=snd_e\n; comment\n4.5.6=snd_f\n");
  EXPECT_EQ("snd_e", Sound(1, 2, 3));
  EXPECT_EQ("(null)", Sound(4, 5, 6));
  EXPECT_TRUE(LogHas("error line:[;] in ini/ActionSound.ini!"));
  EXPECT_EQ(1, LogCount("error line:"));
}

TEST_F(ActionSoundTest, BlanksAroundTheEqualsSignStopAtTheKey) {
  LoadText("1.2.3 = snd_g\n7.8.9=snd_h\n");
  EXPECT_EQ("(null)", Sound(1, 2, 3));
  EXPECT_EQ("(null)", Sound(7, 8, 9));
  EXPECT_TRUE(LogHas("error line:[1.2.3] in ini/ActionSound.ini!"));
  EXPECT_EQ(1, LogCount("error line:"));
}

TEST_F(ActionSoundTest, WordsWithoutAllFourPartsStopTheLoad) {
  const char* const aBad[] = {"1.2.3=", "1.2=snd", "a.2.3=snd", "1.2.3snd", "1.2.-=snd",
                              "=snd",   "1..3=snd"};
  for (const char* pszBad : aBad) {
    LoadText(std::string("9.9.9=snd_before ") + pszBad + " 8.8.8=snd_after");
    EXPECT_EQ("snd_before", Sound(9, 9, 9)) << pszBad;
    EXPECT_EQ("(null)", Sound(8, 8, 8)) << pszBad;
    EXPECT_TRUE(LogHas(std::string("error line:[") + pszBad + "] in ini/ActionSound.ini!"))
        << pszBad;
    RoleBaseDataDestroy();
  }
}

TEST_F(ActionSoundTest, LaterWordOfAKeyWins) {
  LoadText("1.2.3=snd_old 1.2.3=snd_new");
  EXPECT_EQ("snd_new", Sound(1, 2, 3));
}

// c has four digits, b three; b * 10000 wraps in 32 bits from b = 429497 on.
TEST_F(ActionSoundTest, KeysPackByDecimalFieldsWithTheirCarry) {
  LoadText("1.2.10000=snd_i 1.3.0=snd_j 1.429497.0=snd_k 4294967295.0.0=snd_l");
  EXPECT_EQ("snd_j", Sound(1, 2, 10000));
  EXPECT_EQ("snd_j", Sound(1, 3, 0));
  EXPECT_EQ("snd_k", Sound(1, 0, 2704));  // 429497 * 10000 mod 2^32 = 2704
  EXPECT_EQ("snd_l", Sound(4294967295u, 0, 0));
  EXPECT_EQ("(null)", Sound(0, 0, 0));
}

TEST_F(ActionSoundTest, NameOf127CharactersPassesQuietly) {
  std::string strName(127, 'q');
  LoadText("1.2.3=" + strName);
  EXPECT_EQ(strName, Sound(1, 2, 3));
  EXPECT_FALSE(LogHas("ASSERT("));
}

TEST_F(ActionSoundTest, NameOf128CharactersIsReportedAndKept) {
  std::string strName(128, 'r');
  LoadText("1.2.3=" + strName + " 4.5.6=snd_next");
  EXPECT_EQ(strName, Sound(1, 2, 3));
  EXPECT_EQ("snd_next", Sound(4, 5, 6));
  EXPECT_TRUE(LogHas(LONG_NAME_ASSERT));
}

TEST_F(ActionSoundTest, NameOf255CharactersIsReportedAndKeptWhole) {
  std::string strName(255, 's');
  LoadText("1.2.3=" + strName);
  EXPECT_EQ(strName, Sound(1, 2, 3));
  EXPECT_EQ(1, LogCount(LONG_NAME_ASSERT));
}

TEST_F(ActionSoundTest, MissingFileIsLoggedOnceAndAnswersNull) {
  m_pData = Load();
  EXPECT_EQ("(null)", Sound(1, 2, 3));
  EXPECT_EQ("(null)", Sound(1, 999, 3));
  EXPECT_EQ(1, LogCount("error on open ini/ActionSound.ini."));
}

TEST_F(ActionSoundTest, GarbageStopsAtOnceAndLeavesTheTableEmpty) {
  const char GARBAGE[] = "\xff\x01\x80garbage\0 1.2.3=snd";
  LoadText(std::string(GARBAGE, sizeof(GARBAGE) - 1));
  EXPECT_EQ("(null)", Sound(1, 2, 3));
  EXPECT_EQ(1, LogCount("error line:["));
}

TEST_F(ActionSoundTest, SecondCreateKeepsOldEntries) {
  LoadText("1.1.1=snd_kept 2.2.2=snd_old");
  Write(ACTION_SOUND_FILE, "2.2.2=snd_new");
  m_pData->Create();
  EXPECT_EQ("snd_kept", Sound(1, 1, 1));
  EXPECT_EQ("snd_new", Sound(2, 2, 2));
}

}  // namespace
