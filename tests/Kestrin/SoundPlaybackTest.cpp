// Sound playback: the calls made on the sound manager and the resource demand manager. The volume
// arithmetic and the settings over a reload are asked by the cases in tests/cases/sound-volume.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>

#include "ModuleFixture.h"
#include "UlmLogic.h"
#include "ZorRandom.h"
#include "ZorSound.h"

namespace {

using ::testing::_;
using ::testing::DoubleEq;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::StrEq;
using ::testing::StrictMock;

class MockSound : public IZorSound {
 public:
  MOCK_METHOD(void, Replay, (const char*, uint32_t, uint32_t, double, double), (override));
  MOCK_METHOD(void, Stop, (), (override));
  MOCK_METHOD(int32_t, GetState, (), (override));
  MOCK_METHOD(void, SetVolume, (uint32_t), (override));
};

class MockSoundManager : public IZorSoundManager {
 public:
  MOCK_METHOD(int32_t, Play, (const char*, uint32_t, uint32_t, double, double), (override));
  MOCK_METHOD(IZorSound*, FindSound, (const char*), (override));
};

class MockDemand : public IResourceDemandMgr {
 public:
  MOCK_METHOD(bool, CheckDemand, (const char*), (override));
};

// The service loaded with three sound resources and two sound events; the mocks installed as
// the sound manager and the resource demand manager. Strict: any call not expected fails.
class SoundPlaybackTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    Write("ini/SoundRes.ini",
          "[hit]\nSound=hit.wav\n[silent]\n[blank]\nSound=\n[amb]\nSound=a.wav\nSound=b.wav\n");
    Write("ini/SoundEvent.ini", "12=hit\n13=silent\n");
    m_pData = Load();
    SetSoundManagerInstance(&m_manager);
    SetResourceDemandMgr(&m_demand);
  }
  void TearDown() override {
    SetSoundManagerInstance(ZorSoundOwnManager());
    SetResourceDemandMgr(nullptr);
    ModuleTest::TearDown();
  }
  // Expects FindSound of the file, then the calls in order: "S" Stop, "V" SetVolume, "G<n>"
  // GetState answering n, "D<n>" CheckDemand answering n != 0, "R" Replay, "P<n>" Play answering
  // n; the volume of V, R and P is nVolume.
  void ExpectCalls(const char* pszFile, bool bFound, const std::string& strCalls, uint32_t nArg,
                   uint32_t nVolume) {
    InSequence order;
    EXPECT_CALL(m_manager, FindSound(StrEq(pszFile))).WillOnce(Return(bFound ? &m_sound : nullptr));
    std::istringstream calls(strCalls);
    for (std::string strCall; calls >> strCall;) {
      char chCall = strCall[0];
      int32_t nAnswer = atoi(strCall.c_str() + 1);
      if (chCall == 'S') EXPECT_CALL(m_sound, Stop());
      if (chCall == 'V') EXPECT_CALL(m_sound, SetVolume(nVolume));
      if (chCall == 'G') EXPECT_CALL(m_sound, GetState()).WillOnce(Return(nAnswer));
      if (chCall == 'D') {
        EXPECT_CALL(m_demand, CheckDemand(StrEq(pszFile))).WillOnce(Return(nAnswer != 0));
      }
      if (chCall == 'R') {
        EXPECT_CALL(m_sound, Replay(StrEq(pszFile), nArg, nVolume, DoubleEq(-1.0), DoubleEq(-1.0)));
      }
      if (chCall == 'P') {
        EXPECT_CALL(m_manager, Play(StrEq(pszFile), nArg, nVolume, DoubleEq(-1.0), DoubleEq(-1.0)))
            .WillOnce(Return(nAnswer));
      }
    }
  }

  I3DRoleBaseData* m_pData = nullptr;
  StrictMock<MockSoundManager> m_manager;
  StrictMock<MockSound> m_sound;
  StrictMock<MockDemand> m_demand;
};

enum Operation { PLAY, PLAY_AT, UPDATE, EVENT, STOP };

// What each operation asks of the manager for the sound "hit" (file hit.wav), radius 10, full
// volume 100; "found": FindSound has a sound for the file.
TEST_F(SoundPlaybackTest, CallsOnTheManagerPerOperationAndState) {
  const struct {
    const char* pszName;
    Operation op;
    int32_t x, y;
    uint32_t nArg;
    bool bRestart, bFound;
    const char* pszCalls;
    uint32_t nVolume;
    bool bResult;
  } cases[] = {
      {"Play plays the file", PLAY, 0, 0, 7, false, false, "P0", 100, true},
      {"Play, found: left alone", PLAY, 0, 0, 1, false, true, "", 0, true},
      {"Play, restart: stopped, played", PLAY, 0, 0, 2, true, true, "S P0", 100, true},
      {"At plays at the position's volume", PLAY_AT, 3, 4, 4, false, false, "P0", 75, true},
      {"At, out of hearing: nothing", PLAY_AT, 6, 8, 0, true, false, "", 0, true},
      {"At, restart: stopped out of hearing", PLAY_AT, 60, 80, 0, true, true, "S", 0, true},
      {"At, found: left alone", PLAY_AT, 0, 0, 0, false, true, "", 0, true},
      {"At, the manager fails", PLAY_AT, 0, 0, 0, false, false, "P-1", 100, false},
      {"Update, out of hearing: stopped", UPDATE, 6, 8, 0, false, true, "S", 0, true},
      {"Update, playing: volume only", UPDATE, 3, 4, 0, false, true, "V G1", 75, true},
      {"Update, finished, unwanted: left", UPDATE, 3, 4, 5, false, true, "V G0 D0", 75, true},
      {"Update, finished, wanted: replayed", UPDATE, 3, 4, 5, false, true, "V G2 D1 R", 75, true},
      {"Update, restart: stopped, played", UPDATE, 3, 4, 9, true, true, "S P0", 75, true},
      {"Update, restart, out of hearing: stopped", UPDATE, 30, 40, 9, true, true, "S", 0, true},
      {"Update, missing, in hearing: played", UPDATE, 0, 0, 1, false, false, "P1", 100, false},
      {"Update, missing, out of hearing: nothing", UPDATE, 100, 0, 1, false, false, "", 0, true},
      {"Event always restarts", EVENT, 0, 0, 6, false, true, "S P0", 100, true},
      {"Stop stops what is found", STOP, 0, 0, 0, false, true, "S", 0, true},
      {"Stop, nothing found", STOP, 0, 0, 0, false, false, "", 0, false},
  };
  I3DRoleBaseData* p = m_pData;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pszName);
    ExpectCalls("hit.wav", c.bFound, c.pszCalls, c.nArg, c.nVolume);
    bool bResult = false;
    if (c.op == PLAY) bResult = p->PlaySound("hit", c.nArg, 99, c.bRestart);
    if (c.op == PLAY_AT) bResult = p->PlaySoundAt("hit", c.x, c.y, 10, c.nArg, c.bRestart);
    if (c.op == UPDATE) bResult = p->UpdateSoundAt("hit", c.x, c.y, 10, c.nArg, c.bRestart);
    if (c.op == EVENT) bResult = p->PlaySoundEvent(12, c.nArg, 0);
    if (c.op == STOP) bResult = p->StopSound("hit");
    EXPECT_EQ(c.bResult, bResult);
    ::testing::Mock::VerifyAndClearExpectations(&m_manager);
    ::testing::Mock::VerifyAndClearExpectations(&m_sound);
    ::testing::Mock::VerifyAndClearExpectations(&m_demand);
  }
}

TEST_F(SoundPlaybackTest, PlaySoundOfAFileNameUsesItAsItIsAtTheSoundVolume) {
  m_pData->SetSoundVolume(40);
  ExpectCalls("raw.wav", false, "P3", 0, 40);
  EXPECT_FALSE(m_pData->PlaySound("raw.wav", 0, 0, true));  // the manager's failure
}

// Names without a file are refused as the case in tests/cases/sound-playback shows; without a
// manager nothing plays.
TEST_F(SoundPlaybackTest, WithoutAManagerNothingPlays) {
  SetSoundManagerInstance(nullptr);
  EXPECT_EQ("0 0 0 0 0", Say(m_pData->PlaySound("hit", 0, 0, true),
                             m_pData->PlaySoundAt("hit", 0, 0, 10, 0, true),
                             m_pData->UpdateSoundAt("hit", 0, 0, 10, 0, true),
                             m_pData->StopSound("hit"), m_pData->PlaySoundEvent(12, 0, 0)));
}

// Switched off, playing answers true and calls nothing; UpdateSoundAt sees the volume 0 and
// stops a kept sound without starting one, and StopSound does not look at the switch.
TEST_F(SoundPlaybackTest, SwitchedOffPlayingAnswersTrueUpdateAndStopStillStop) {
  m_pData->SetSoundSwitch(0);
  EXPECT_EQ("1 1 1 1 0",
            Say(m_pData->PlaySound("hit", 0, 0, true), m_pData->PlaySound(nullptr, 0, 0, true),
                m_pData->PlaySoundAt("hit", 0, 0, 10, 0, true), m_pData->PlaySoundEvent(12, 0, 0),
                m_pData->PlaySoundEvent(99, 0, 0)));
  ExpectCalls("hit.wav", true, "S", 0, 0);
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 0, 0, 10, 0, false));
  ExpectCalls("hit.wav", false, "", 0, 0);
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 0, 0, 10, 0, false));
  ExpectCalls("hit.wav", true, "S", 0, 0);
  EXPECT_TRUE(m_pData->StopSound("hit"));
}

TEST_F(SoundPlaybackTest, StopSoundLooksForTheFileOfThisCallsPick) {
  std::string strAsked;
  EXPECT_CALL(m_manager, FindSound(_)).WillRepeatedly([&](const char* pszFile) {
    strAsked = pszFile;
    return nullptr;
  });
  bool bStopped = true;
  std::time_t nSecond = InOneSecond([&] { bStopped = m_pData->StopSound("amb"); });
  ASSERT_NE(-1, nSecond) << "the clock kept changing its second";
  ZorGameBase::CZorRandom random(static_cast<uint32_t>(nSecond));
  EXPECT_EQ(random.Next() % 2 == 0 ? "a.wav" : "b.wav", strAsked);
  EXPECT_FALSE(bStopped);
}

// ---- with the sound library's own manager ----

class OwnSoundManagerTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    ZorSoundReset();
    ClearResourceDemands();
    Write("ini/SoundRes.ini", "[wind]\nSound=wind.wav\n");
    m_pData = Load();
  }
  void TearDown() override {
    ZorSoundReset();
    ClearResourceDemands();
    ModuleTest::TearDown();
  }
  I3DRoleBaseData* m_pData = nullptr;
};

TEST_F(OwnSoundManagerTest, PlayUpdateAndStopAreSeenByTheManager) {
  uint32_t nVolume = 0;
  int32_t nState = -1;
  EXPECT_TRUE(m_pData->PlaySoundAt("wind", 3, 4, 10, 2, false));
  ASSERT_TRUE(ZorSoundQuery("wind.wav", &nVolume, &nState, nullptr));
  EXPECT_EQ(75u, nVolume);
  EXPECT_EQ(ZORSOUND_STATE_PLAYING, nState);

  EXPECT_TRUE(m_pData->UpdateSoundAt("wind", 0, 0, 10, 2, false));
  ASSERT_TRUE(ZorSoundQuery("wind.wav", &nVolume, nullptr, nullptr));
  EXPECT_EQ(100u, nVolume);

  ZorSoundFinish("wind.wav");  // came to its end; not wanted: stays finished
  EXPECT_TRUE(m_pData->UpdateSoundAt("wind", 3, 4, 10, 2, false));
  ASSERT_TRUE(ZorSoundQuery("wind.wav", &nVolume, &nState, nullptr));
  EXPECT_EQ(ZORSOUND_STATE_STOPPED, nState);
  AddResourceDemand("wind.wav");  // wanted again: replayed
  EXPECT_TRUE(m_pData->UpdateSoundAt("wind", 3, 4, 10, 2, false));
  ASSERT_TRUE(ZorSoundQuery("wind.wav", &nVolume, &nState, nullptr));
  EXPECT_EQ(ZORSOUND_STATE_PLAYING, nState);

  EXPECT_TRUE(m_pData->StopSound("wind"));
  EXPECT_FALSE(ZorSoundQuery("wind.wav", nullptr, nullptr, nullptr));
  EXPECT_FALSE(m_pData->StopSound("wind"));
  EXPECT_EQ(0, ZorSoundPlayingCount());
}

}  // namespace
