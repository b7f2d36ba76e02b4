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

using SoundEventTest = ModuleTest;

// Each row is one line (or piece) of the file and the question that shows how it was read.
TEST_F(SoundEventTest, LineRulesOfTheEventFile) {
  const char GARBAGE[] = "\xff\xfe\x00\x01\n==\n40\0=x\n";
  const struct {
    std::string strLine;
    uint32_t nId;
    const char* pszName;
  } cases[] = {
      {"12=hit\n", 12, "hit"},
      {"", 13, "(null)"},
      {"14 = blank_before\n", 14, "(null)"},  // "%d=" needs '=' right after the number
      {"15= blank_after\n", 15, "blank_after"},
      {"  16=indented\n", 16, "indented"},
      {";17=comment\n\n", 17, "(null)"},
      {"18=\n", 18, "(null)"},
      {"x19=letters\n", 19, "(null)"},
      {"20=two words\n", 20, "two"},
      {"-1=minus_one\n", 4294967295u, "minus_one"},
      {"21=first\n21=second\n", 21, "second"},
      {"22=crlf\r\n", 22, "crlf"},
      {std::string(GARBAGE, sizeof(GARBAGE) - 1), 40, "(null)"},
      {"9=\xb0\xa1ok\n", 9, "\xb0\xa1ok"},
      // A line longer than 1023 characters is read in pieces, each taken as a line.
      {"5=" + std::string(1021, 'a') + "7=tail\n", 7, "tail"},
      {"23=last_without_break", 23, "last_without_break"},
  };
  std::string strFile;
  for (const auto& c : cases) strFile += c.strLine;
  I3DRoleBaseData* pData = LoadWith(SOUND_EVENT_FILE, strFile);
  for (const auto& c : cases) {
    EXPECT_EQ(c.pszName, OrNull(pData->GetSoundEventName(c.nId))) << c.strLine;
  }
  EXPECT_EQ(std::string(1021, 'a'), OrNull(pData->GetSoundEventName(5)));
  EXPECT_EQ(0, LogCount("SoundEvent"));
}

class SoundResTest : public ModuleTest {
 protected:
  std::string File(const char* pszName) { return OrNull(m_pData->GetSoundFile(pszName)); }
  void LoadText(const std::string& strText) { m_pData = LoadWith(SOUND_RES_FILE, strText); }
  // Two calls within one second both give the file the generator seeded with that second names.
  void ExpectPick(const char* pszName, const std::vector<std::string>& files) {
    std::string strFirst, strSecond;
    std::time_t nSecond = InOneSecond([&] { strFirst = File(pszName), strSecond = File(pszName); });
    ASSERT_NE(-1, nSecond) << "the clock kept changing its second";
    ZorGameBase::CZorRandom random(static_cast<uint32_t>(nSecond));
    EXPECT_EQ(files[static_cast<unsigned>(random.Next()) % files.size()], strFirst) << pszName;
    EXPECT_EQ(strFirst, strSecond) << pszName;
  }
  I3DRoleBaseData* m_pData = nullptr;
};

// A pick reseeds the shared generator with the seconds and draws once; a single file is
// answered without a draw.
TEST_F(SoundResTest, PickFollowsTheGeneratorSeededWithTheSeconds) {
  LoadText("[hit]\nSound=a.wav\nSound=b.wav\nSound=c.wav\n[dup]\nSound=a.wav\nSound=a.wav\n"
           "[one]\nSound=c.wav\n[two]\nSound=a.wav\nSound=b.wav\n");
  ExpectPick("hit", {"a.wav", "b.wav", "c.wav"});
  ExpectPick("dup", {"a.wav", "a.wav"});
  ZorGameBase::ZorSrand(1);
  EXPECT_EQ("c.wav", File("one"));
  EXPECT_EQ(41, ZorGameBase::ZorRand());  // still the first draw after seed 1
  int nNext = 0;
  std::time_t nSecond = InOneSecond([&] {
    ZorGameBase::ZorSrand(1);
    File("two");
    nNext = ZorGameBase::ZorRand();
  });
  ASSERT_NE(-1, nSecond) << "the clock kept changing its second";
  ZorGameBase::CZorRandom random(static_cast<uint32_t>(nSecond));
  random.Next();
  EXPECT_EQ(random.Next(), nNext);
}

// Each row loads its own file and asks for one name.
TEST_F(SoundResTest, SectionRulesAndNameResolution) {
  const std::string strLong(255, 't');
  const char GARBAGE[] = "\xff\xfe\x01\n[\0zz]\n=\n[\n]\n";
  const struct {
    const char* pszCase;
    std::string strFile;
    std::string strName;
    const char* pszFile;
  } cases[] = {
      {"section without files", "[none]\n", "none", "(null)"},
      {"an empty name is a file name", "[empty]\nSound=\n", "empty", ""},
      {"no such title: the name", "[hit]\nSound=a.wav\n", "x.wav", "x.wav"},
      {"blanks stay in the title", "[ a ]\nSound=blanks.wav\n", " a ", "blanks.wav"},
      {"blanks stay in the title", "[ a ]\nSound=blanks.wav\n", "a ", "a "},
      {"the title ends at the first ]", "[b]c]\nSound=first.wav\n", "b", "first.wav"},
      {"the first of two titles wins", "[hit]\nSound=1.wav\n[hit]\nSound=2.wav\n", "hit", "1.wav"},
      {"lines before the first section", "Sound=f.wav\n[x]\n", "x", "(null)"},
      {"a broken header leaves the section open", "[open]\n[broken\nSound=o.wav\n", "open",
       "o.wav"},
      {"a broken header is no title", "[open]\n[broken\nSound=o.wav\n", "[broken", "[broken"},
      {"an indented header opens nothing", "[outer]\n  [inner]\nSound=o.wav\n", "outer", "o.wav"},
      {"an indented header is no title", "[outer]\n  [inner]\nSound=o.wav\n", "inner", "inner"},
      // 0x81 0x5D is one GBK character whose trail byte is ']'.
      {"a double-byte ] ends no title",
       "[\x81\x5D"
       "ab]\nSound=gbk.wav\n",
       "\x81\x5D"
       "ab",
       "gbk.wav"},
      {"a title of 255 after garbage",
       std::string(GARBAGE, sizeof(GARBAGE) - 1) + "[" + strLong + "]\nSound=long.wav\n", strLong,
       "long.wav"},
  };
  for (const auto& c : cases) {
    LoadText(c.strFile);
    EXPECT_EQ(c.pszFile, File(c.strName.c_str())) << c.pszCase;
  }
  const char* pszOwn = "x.wav";
  EXPECT_EQ(pszOwn, m_pData->GetSoundFile(pszOwn));  // the caller's own text
  EXPECT_EQ(nullptr, m_pData->GetSoundFile(nullptr));
  EXPECT_EQ(nullptr, m_pData->GetSoundFile(""));
  EXPECT_EQ(0, LogCount("SoundRes"));
}

TEST_F(SoundResTest, KeyAndValueRules) {
  LoadText(
      "[keys]\n"
      "Sound = d.wav\n"       // the key is "Sound " and is skipped
      "Sound= e.wav\n"        // the value loses its leading blanks
      "sound=f.wav\n"         // keys are case-sensitive
      "  Sound=g.wav  \n"     // the line is trimmed at both ends
      "Sound=h.wav ; note\n"  // a comment is cut with the blanks before it
      "Sound=i.wav//note\n"
      "Sound\n"
      "Other=j.wav\n"
      "; Sound=k.wav\n");
  EXPECT_EQ(0, LogCount("SoundRes"));
  ExpectPick("keys", {"e.wav", "g.wav", "h.wav", "i.wav"});
}

}  // namespace
