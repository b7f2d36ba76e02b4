// Sound resources: the file pick of GetSoundFile and its key rules. The line rules of the event and
// resource files are asked by the cases of tests/cases/sound-event and tests/cases/sound-res.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "ZorRandom.h"

namespace {

const char SOUND_RES_FILE[] = "ini/SoundRes.ini";

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

// A name no section has is answered as the caller's own text.
TEST_F(SoundResTest, AnUnknownNameIsAnsweredAsTheCallersText) {
  LoadText("[hit]\nSound=a.wav\n");
  const char* pszOwn = "x.wav";
  EXPECT_EQ(pszOwn, m_pData->GetSoundFile(pszOwn));
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
      "; Sound=k.wav\n"
      // long values: the comment marks past the first sixteen bytes, "//" across them
      "Sound=abcdefghijklmno//note\n"
      "Sound=abcdefghijklmnop;note\n"
      "Sound=sound/abcdefghijklmnopq.wav ; note\n"
      "Sound=sound/abcdefghijklmnopq/r.wav\n");
  EXPECT_EQ(0, LogCount("SoundRes"));
  ExpectPick("keys", {"e.wav", "g.wav", "h.wav", "i.wav", "abcdefghijklmno", "abcdefghijklmnop",
                      "sound/abcdefghijklmnopq.wav", "sound/abcdefghijklmnopq/r.wav"});
}

}  // namespace
