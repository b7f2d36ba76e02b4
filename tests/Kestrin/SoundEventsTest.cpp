// Sound events and sound resources: their line rules and the file pick of GetSoundFile.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "ZorRandom.h"

namespace {

const char SOUND_EVENT_FILE[] = "ini/SoundEvent.ini";
const char SOUND_RES_FILE[] = "ini/SoundRes.ini";

std::string Text(const char* psz) { return psz != nullptr ? psz : "(null)"; }

class SoundEventTest : public ModuleTest {
 protected:
  std::string Event(uint32_t nId) { return Text(m_pData->GetSoundEventName(nId)); }
  void LoadText(const std::string& strText) {
    Write(SOUND_EVENT_FILE, strText);
    m_pData = Load();
  }
  I3DRoleBaseData* m_pData = nullptr;
};

TEST_F(SoundEventTest, ListedIdGivesItsName) {
  LoadText("12=hit\n");
  EXPECT_EQ("hit", Event(12));
  EXPECT_EQ("(null)", Event(13));
}

TEST_F(SoundEventTest, LineRulesOfTheEventFile) {
  LoadText(
      "12 = blank_before\n"   // "%d=" needs '=' right after the number
      "13= blank_after\n"     // the name may stand after blanks
      "  14=indented\n"       // the number skips leading blanks
      ";15=comment\n"
      "\n"
      "16=\n"                 // no name
      "x17=letters\n"
      "18=two words\n"        // the name ends at the first blank
      "-1=minus_one\n"
      "19=first\n19=second\n"
      "20=crlf\r\n"
      "21=last_without_break");
  EXPECT_EQ("(null)", Event(12));
  EXPECT_EQ("blank_after", Event(13));
  EXPECT_EQ("indented", Event(14));
  EXPECT_EQ("(null)", Event(15));
  EXPECT_EQ("(null)", Event(16));
  EXPECT_EQ("(null)", Event(17));
  EXPECT_EQ("two", Event(18));
  EXPECT_EQ("minus_one", Event(4294967295u));
  EXPECT_EQ("second", Event(19));
  EXPECT_EQ("crlf", Event(20));
  EXPECT_EQ("last_without_break", Event(21));
  EXPECT_EQ(0, LogCount("SoundEvent"));
}

// A line longer than 1023 characters is read in pieces, each taken as a line.
TEST_F(SoundEventTest, LongLineIsReadInPieces) {
  std::string strName(1021, 'a');
  LoadText("5=" + strName + "7=tail\n8=next\n");
  EXPECT_EQ(strName, Event(5));
  EXPECT_EQ("tail", Event(7));
  EXPECT_EQ("next", Event(8));
}

TEST_F(SoundEventTest, MissingFileAnswersNullSilently) {
  m_pData = Load();
  EXPECT_EQ("(null)", Event(0));
  EXPECT_EQ("(null)", Event(12));
  EXPECT_EQ(0, LogCount("SoundEvent"));
}

TEST_F(SoundEventTest, GarbageIsSkippedSilently) {
  const char GARBAGE[] = "\xff\xfe\x00\x01\n==\n12\0=x\n9=\xb0\xa1ok\n";
  LoadText(std::string(GARBAGE, sizeof(GARBAGE) - 1));
  EXPECT_EQ("(null)", Event(12));
  EXPECT_EQ("\xb0\xa1ok", Event(9));
  EXPECT_EQ(0, LogCount("SoundEvent"));
}

class SoundResTest : public ModuleTest {
 protected:
  std::string File(const char* pszName) { return Text(m_pData->GetSoundFile(pszName)); }
  void LoadText(const std::string& strText) {
    Write(SOUND_RES_FILE, strText);
    m_pData = Load();
  }
  // The file the pick names when the clock reads nTime seconds.
  static size_t Pick(time_t nTime, size_t nCount) {
    ZorGameBase::CZorRandom random(static_cast<uint32_t>(nTime));
    return static_cast<unsigned>(random.Next()) % nCount;
  }
  // Two calls within one second both give the file the pick names for that second.
  void ExpectPick(const char* pszName, const std::vector<std::string>& files) {
    for (int nAttempt = 0; nAttempt < 5; ++nAttempt) {
      time_t nBefore = time(nullptr);
      std::string strFirst = File(pszName);
      std::string strSecond = File(pszName);
      if (time(nullptr) != nBefore) continue;  // the second changed under us; try again
      EXPECT_EQ(files[Pick(nBefore, files.size())], strFirst) << pszName;
      EXPECT_EQ(strFirst, strSecond) << pszName;
      return;
    }
    FAIL() << "the clock kept changing its second";
  }
  I3DRoleBaseData* m_pData = nullptr;
};

TEST_F(SoundResTest, PickFollowsTheGeneratorSeededWithTheSeconds) {
  LoadText("[hit]\nSound=a.wav\nSound=b.wav\nSound=c.wav\n[dup]\nSound=a.wav\nSound=a.wav\n");
  ExpectPick("hit", {"a.wav", "b.wav", "c.wav"});
  ExpectPick("dup", {"a.wav", "a.wav"});
}

TEST_F(SoundResTest, SingleFileIsReturnedWithoutDrawing) {
  LoadText("[one]\nSound=c.wav\n");
  ZorGameBase::ZorSrand(1);
  EXPECT_EQ("c.wav", File("one"));
  EXPECT_EQ(41, ZorGameBase::ZorRand());  // still the first draw after seed 1
}

TEST_F(SoundResTest, PickReseedsTheSharedGenerator) {
  LoadText("[two]\nSound=a.wav\nSound=b.wav\n");
  for (int nAttempt = 0; nAttempt < 5; ++nAttempt) {
    time_t nBefore = time(nullptr);
    ZorGameBase::ZorSrand(1);
    File("two");
    int nNext = ZorGameBase::ZorRand();
    if (time(nullptr) != nBefore) continue;
    ZorGameBase::CZorRandom random(static_cast<uint32_t>(nBefore));
    random.Next();
    EXPECT_EQ(random.Next(), nNext);
    return;
  }
  FAIL() << "the clock kept changing its second";
}

TEST_F(SoundResTest, NameResolution) {
  LoadText("[none]\n[empty]\nSound=\n");
  EXPECT_EQ("(null)", File("none"));  // a section without files
  EXPECT_EQ("", File("empty"));       // an empty name is a file name too
  EXPECT_EQ("(null)", File(nullptr));
  EXPECT_EQ("(null)", File(""));
  const char* pszOwn = "x.wav";
  EXPECT_EQ(pszOwn, m_pData->GetSoundFile(pszOwn));  // no such title: the caller's own text
}

TEST_F(SoundResTest, KeyAndValueRules) {
  LoadText(
      "[keys]\n"
      "Sound = d.wav\n"      // the key is "Sound " and is skipped
      "Sound= e.wav\n"       // the value loses its leading blanks
      "sound=f.wav\n"        // keys are case-sensitive
      "  Sound=g.wav  \n"    // the line is trimmed at both ends
      "Sound=h.wav ; note\n"  // a comment is cut with the blanks before it
      "Sound=i.wav//note\n"
      "Sound\n"
      "Other=j.wav\n"
      "; Sound=k.wav\n");
  EXPECT_EQ(0, LogCount("SoundRes"));
  ExpectPick("keys", {"e.wav", "g.wav", "h.wav", "i.wav"});
  LoadText("[k]\nSound = d.wav\nsound=f.wav\nSound= e.wav\n");
  EXPECT_EQ("e.wav", File("k"));
}

TEST_F(SoundResTest, TitlesKeepTheirBlanksAndEndAtTheFirstBracket) {
  LoadText("[ a ]\nSound=blanks.wav\n[b]c]\nSound=first_bracket.wav\n");
  EXPECT_EQ("blanks.wav", File(" a "));
  EXPECT_EQ("a ", File("a "));  // no such title
  EXPECT_EQ("first_bracket.wav", File("b"));
}

TEST_F(SoundResTest, FirstSectionOfATitleWins) {
  LoadText("[hit]\nSound=first.wav\n[hit]\nSound=second.wav\n");
  EXPECT_EQ("first.wav", File("hit"));
}

TEST_F(SoundResTest, LinesBeforeTheFirstSectionAreIgnored) {
  LoadText("Sound=f.wav\n[x]\n");
  EXPECT_EQ("(null)", File("x"));
}

TEST_F(SoundResTest, BrokenHeaderLeavesTheOpenSectionOpen) {
  LoadText("[open]\n[broken\nSound=still_open.wav\n");
  EXPECT_EQ("still_open.wav", File("open"));
  EXPECT_EQ("[broken", File("[broken"));
}

TEST_F(SoundResTest, IndentedHeaderOpensNoSection) {
  LoadText("[outer]\n  [inner]\nSound=outer.wav\n");
  EXPECT_EQ("outer.wav", File("outer"));
  EXPECT_EQ("inner", File("inner"));
}

// 0x81 0x5D is one GBK character whose trail byte is ']'.
TEST_F(SoundResTest, BracketInsideADoubleByteCharacterDoesNotEndTheTitle) {
  LoadText("[\x81\x5D" "ab]\nSound=gbk.wav\n");
  EXPECT_EQ("gbk.wav", File("\x81\x5D" "ab"));
}

TEST_F(SoundResTest, SecondCreateKeepsKnownTitlesAndAddsNewOnes) {
  LoadText("[hit]\nSound=old.wav\n");
  Write(SOUND_RES_FILE, "[hit]\nSound=new.wav\n[miss]\nSound=miss.wav\n");
  m_pData->Create();
  EXPECT_EQ("old.wav", File("hit"));
  EXPECT_EQ("miss.wav", File("miss"));
}

TEST_F(SoundResTest, MissingFileReturnsNamesUnchanged) {
  m_pData = Load();
  EXPECT_EQ("hit", File("hit"));
  EXPECT_EQ("(null)", File(""));
  EXPECT_EQ(0, LogCount("SoundRes"));
}

TEST_F(SoundResTest, TitleOf255CharactersAndGarbageLines) {
  std::string strTitle(255, 't');
  const char GARBAGE[] = "\xff\xfe\x01\n[\0zz]\n=\n[\n]\n";
  LoadText(std::string(GARBAGE, sizeof(GARBAGE) - 1) + "[" + strTitle + "]\nSound=long.wav\n");
  EXPECT_EQ("long.wav", File(strTitle.c_str()));
}

}  // namespace
