// Sound playback: the volume arithmetic, the calls made on the sound manager and the resource
// demand manager, and the four settings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "ModuleFixture.h"
#include "UlmLogic.h"
#include "ZorRandom.h"
#include "ZorSound.h"

namespace {

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

const double DEFAULT = -1.0;

// The service loaded with one sound resource and two sound events; the mocks installed as the
// sound manager and the resource demand manager. Strict: any call not expected fails.
class SoundPlaybackTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    Write("ini/SoundRes.ini", "[hit]\nSound=hit.wav\n[silent]\n[amb]\nSound=a.wav\nSound=b.wav\n");
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

  I3DRoleBaseData* m_pData = nullptr;
  StrictMock<MockSoundManager> m_manager;
  StrictMock<MockSound> m_sound;
  StrictMock<MockDemand> m_demand;
};

// ---- GetSoundVolume ----

struct VolumeCase {
  int32_t x, y, nRadius;
  uint32_t nExpected;
};

TEST_F(SoundPlaybackTest, VolumeFallsOffWithTheSquareOfTheDistance) {
  const VolumeCase aCases[] = {
      {0, 0, 10, 100}, {6, 8, 10, 0},  {3, 4, 10, 75},   {20, 0, 10, 0}, {-3, -4, 10, 75},
      {1, 0, 3, 88},   {0, 0, 0, 0},   {0, 0, -10, 100}, {9, 0, 10, 19}, {10, 0, 10, 0},
  };
  for (const VolumeCase& c : aCases) {
    EXPECT_EQ(c.nExpected, m_pData->GetSoundVolume(c.x, c.y, c.nRadius, 1))
        << c.x << "," << c.y << " r " << c.nRadius;
  }
}

TEST_F(SoundPlaybackTest, VolumeIsMeasuredFromTheListener) {
  m_pData->SetListenerPos(100, -50);
  EXPECT_EQ(100u, m_pData->GetSoundVolume(100, -50, 10, 0));
  EXPECT_EQ(75u, m_pData->GetSoundVolume(103, -46, 10, 0));
  EXPECT_EQ(0u, m_pData->GetSoundVolume(0, 0, 10, 0));
}

TEST_F(SoundPlaybackTest, VolumeArithmeticIsThirtyTwoBit) {
  m_pData->SetSoundVolume(50000000);
  // 100 * 50000000 wraps to 705032704 before the division by 100.
  EXPECT_EQ(7050327u, m_pData->GetSoundVolume(0, 0, 10, 0));
  m_pData->SetSoundVolume(-1);
  // (100 - 25) * 0xFFFFFFFF wraps to 4294967221, divided unsigned.
  EXPECT_EQ(42949672u, m_pData->GetSoundVolume(3, 4, 10, 0));
}

TEST_F(SoundPlaybackTest, WithoutFadingTheVolumeIsFlatOrSilent) {
  m_pData->SetDistanceFading(0);
  m_pData->SetSoundVolume(80);
  EXPECT_EQ(80u, m_pData->GetSoundVolume(5000, 5000, 1, 0));
  EXPECT_EQ(0u, m_pData->GetSoundVolume(0, 0, 10, 1));
  EXPECT_EQ(0u, m_pData->GetSoundVolume(0, 0, 10, -7));
  m_pData->SetSoundVolume(-5);
  EXPECT_EQ(4294967291u, m_pData->GetSoundVolume(0, 0, 10, 0));
}

TEST_F(SoundPlaybackTest, SwitchedOffEveryVolumeIsZero) {
  m_pData->SetSoundSwitch(0);
  EXPECT_EQ(0u, m_pData->GetSoundVolume(0, 0, 10, 0));
  m_pData->SetDistanceFading(0);
  EXPECT_EQ(0u, m_pData->GetSoundVolume(0, 0, 10, 0));
}

// ---- PlaySound ----

TEST_F(SoundPlaybackTest, PlaySoundPlaysTheResolvedFileAtTheSoundVolume) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_CALL(m_manager, Play(StrEq("hit.wav"), 7u, 100u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(0));
  EXPECT_TRUE(m_pData->PlaySound("hit", 7, 99, false));
}

TEST_F(SoundPlaybackTest, PlaySoundOfAFileNameUsesItAsItIs) {
  m_pData->SetSoundVolume(40);
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("raw.wav"))).WillOnce(Return(nullptr));
  EXPECT_CALL(m_manager, Play(StrEq("raw.wav"), 0u, 40u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(3));
  EXPECT_FALSE(m_pData->PlaySound("raw.wav", 0, 0, true));  // the manager's failure
}

TEST_F(SoundPlaybackTest, PlaySoundLeavesAPlayingSoundAloneWithoutRestart) {
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_TRUE(m_pData->PlaySound("hit", 1, 0, false));
}

TEST_F(SoundPlaybackTest, PlaySoundWithRestartStopsThenPlays) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_CALL(m_manager, Play(StrEq("hit.wav"), 2u, 100u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(0));
  EXPECT_TRUE(m_pData->PlaySound("hit", 2, 0, true));
}

TEST_F(SoundPlaybackTest, NamesWithoutFileAreRefusedBeforeTheManager) {
  const char* const aNames[] = {nullptr, "", "silent"};
  for (const char* pszName : aNames) {
    EXPECT_FALSE(m_pData->PlaySound(pszName, 0, 0, true));
    EXPECT_FALSE(m_pData->PlaySoundAt(pszName, 0, 0, 10, 0, true));
    EXPECT_FALSE(m_pData->UpdateSoundAt(pszName, 0, 0, 10, 0, true));
    EXPECT_FALSE(m_pData->StopSound(pszName));
  }
}

TEST_F(SoundPlaybackTest, SectionWithAnEmptyFileNameIsRefusedToo) {
  Write("ini/SoundRes.ini", "[blank]\nSound=\n");
  m_pData->Create();
  EXPECT_STREQ("", m_pData->GetSoundFile("blank"));
  EXPECT_FALSE(m_pData->PlaySound("blank", 0, 0, true));
  EXPECT_FALSE(m_pData->StopSound("blank"));
}

TEST_F(SoundPlaybackTest, WithoutAManagerNothingPlays) {
  SetSoundManagerInstance(nullptr);
  EXPECT_FALSE(m_pData->PlaySound("hit", 0, 0, true));
  EXPECT_FALSE(m_pData->PlaySoundAt("hit", 0, 0, 10, 0, true));
  EXPECT_FALSE(m_pData->UpdateSoundAt("hit", 0, 0, 10, 0, true));
  EXPECT_FALSE(m_pData->StopSound("hit"));
  EXPECT_FALSE(m_pData->PlaySoundEvent(12, 0, 0));
}

TEST_F(SoundPlaybackTest, SwitchedOffPlayingAnswersTrueAndCallsNothing) {
  m_pData->SetSoundSwitch(0);
  EXPECT_TRUE(m_pData->PlaySound("hit", 0, 0, true));
  EXPECT_TRUE(m_pData->PlaySound(nullptr, 0, 0, true));
  EXPECT_TRUE(m_pData->PlaySoundAt("hit", 0, 0, 10, 0, true));
  EXPECT_TRUE(m_pData->PlaySoundEvent(12, 0, 0));
  EXPECT_FALSE(m_pData->PlaySoundEvent(99, 0, 0));
}

// ---- PlaySoundAt ----

TEST_F(SoundPlaybackTest, PlaySoundAtPlaysAtTheVolumeOfThePosition) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_CALL(m_manager, Play(StrEq("hit.wav"), 4u, 75u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(0));
  EXPECT_TRUE(m_pData->PlaySoundAt("hit", 3, 4, 10, 4, false));
}

TEST_F(SoundPlaybackTest, PlaySoundAtOutOfHearingAnswersTrueWithoutPlaying) {
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_TRUE(m_pData->PlaySoundAt("hit", 6, 8, 10, 0, true));
}

TEST_F(SoundPlaybackTest, PlaySoundAtRestartStopsEvenWhenOutOfHearing) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_TRUE(m_pData->PlaySoundAt("hit", 60, 80, 10, 0, true));
}

TEST_F(SoundPlaybackTest, PlaySoundAtLeavesAPlayingSoundAloneWithoutRestart) {
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_TRUE(m_pData->PlaySoundAt("hit", 0, 0, 10, 0, false));
}

TEST_F(SoundPlaybackTest, PlaySoundAtReportsTheManagersFailure) {
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_CALL(m_manager, Play(StrEq("hit.wav"), 0u, 100u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(-1));
  EXPECT_FALSE(m_pData->PlaySoundAt("hit", 0, 0, 10, 0, false));
}

// ---- UpdateSoundAt ----

TEST_F(SoundPlaybackTest, UpdateStopsAKeptSoundOutOfHearing) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 6, 8, 10, 0, false));
}

TEST_F(SoundPlaybackTest, UpdateOnlySetsTheVolumeOfAPlayingSound) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, SetVolume(75u));
  EXPECT_CALL(m_sound, GetState()).WillOnce(Return(ZORSOUND_STATE_PLAYING));
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 3, 4, 10, 0, false));
}

TEST_F(SoundPlaybackTest, UpdateLeavesAnUnwantedFinishedSound) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, SetVolume(75u));
  EXPECT_CALL(m_sound, GetState()).WillOnce(Return(0));
  EXPECT_CALL(m_demand, CheckDemand(StrEq("hit.wav"))).WillOnce(Return(false));
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 3, 4, 10, 5, false));
}

TEST_F(SoundPlaybackTest, UpdateReplaysAWantedFinishedSound) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, SetVolume(75u));
  EXPECT_CALL(m_sound, GetState()).WillOnce(Return(2));
  EXPECT_CALL(m_demand, CheckDemand(StrEq("hit.wav"))).WillOnce(Return(true));
  EXPECT_CALL(m_sound, Replay(StrEq("hit.wav"), 5u, 75u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)));
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 3, 4, 10, 5, false));
}

TEST_F(SoundPlaybackTest, UpdateWithRestartStopsAndPlaysAfresh) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_CALL(m_manager, Play(StrEq("hit.wav"), 9u, 75u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(0));
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 3, 4, 10, 9, true));
}

TEST_F(SoundPlaybackTest, UpdateWithRestartOutOfHearingOnlyStops) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 30, 40, 10, 9, true));
}

TEST_F(SoundPlaybackTest, UpdateStartsAMissingSoundInHearing) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_CALL(m_manager, Play(StrEq("hit.wav"), 1u, 100u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(1));
  EXPECT_FALSE(m_pData->UpdateSoundAt("hit", 0, 0, 10, 1, false));
}

TEST_F(SoundPlaybackTest, UpdateOfAMissingSoundOutOfHearingPlaysNothing) {
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 100, 0, 10, 1, false));
}

// Switched off, the volume is 0: a kept sound is stopped, nothing is started.
TEST_F(SoundPlaybackTest, UpdateSwitchedOffStopsTheSound) {
  m_pData->SetSoundSwitch(0);
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 0, 0, 10, 0, false));
  EXPECT_TRUE(m_pData->UpdateSoundAt("hit", 0, 0, 10, 0, false));
}

// ---- StopSound and PlaySoundEvent ----

TEST_F(SoundPlaybackTest, StopSoundStopsWhatTheManagerFinds) {
  m_pData->SetSoundSwitch(0);  // not consulted
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(nullptr));
  EXPECT_TRUE(m_pData->StopSound("hit"));
  EXPECT_FALSE(m_pData->StopSound("hit"));
}

TEST_F(SoundPlaybackTest, StopSoundLooksForTheFileOfThisCallsPick) {
  for (int nAttempt = 0; nAttempt < 5; ++nAttempt) {
    time_t nBefore = time(nullptr);
    ZorGameBase::CZorRandom random(static_cast<uint32_t>(nBefore));
    const char* pszPicked = random.Next() % 2 == 0 ? "a.wav" : "b.wav";
    EXPECT_CALL(m_manager, FindSound(StrEq(pszPicked))).WillOnce(Return(nullptr));
    bool bStopped = m_pData->StopSound("amb");
    ::testing::Mock::VerifyAndClearExpectations(&m_manager);
    if (time(nullptr) != nBefore) continue;
    EXPECT_FALSE(bStopped);
    return;
  }
  FAIL() << "the clock kept changing its second";
}

TEST_F(SoundPlaybackTest, SoundEventAlwaysRestartsItsSound) {
  InSequence order;
  EXPECT_CALL(m_manager, FindSound(StrEq("hit.wav"))).WillOnce(Return(&m_sound));
  EXPECT_CALL(m_sound, Stop());
  EXPECT_CALL(m_manager, Play(StrEq("hit.wav"), 6u, 100u, DoubleEq(DEFAULT), DoubleEq(DEFAULT)))
      .WillOnce(Return(0));
  EXPECT_TRUE(m_pData->PlaySoundEvent(12, 6, 0));
}

TEST_F(SoundPlaybackTest, SoundEventAnswersFalseForUnknownIdsAndSilentSounds) {
  EXPECT_FALSE(m_pData->PlaySoundEvent(99, 0, 0));
  EXPECT_FALSE(m_pData->PlaySoundEvent(13, 0, 0));  // its resource has no file
}

// ---- settings ----

TEST_F(SoundPlaybackTest, ListenerPositionInBothForms) {
  EXPECT_EQ(0, m_pData->GetListenerPos().x);
  EXPECT_EQ(0, m_pData->GetListenerPos().y);
  m_pData->SetListenerPos(5, 6);
  EXPECT_EQ(5, m_pData->GetListenerPos().x);
  EXPECT_EQ(6, m_pData->GetListenerPos().y);
  m_pData->SetListenerPos(ListenerPos{-7, 8});
  EXPECT_EQ(-7, m_pData->GetListenerPos().x);
  EXPECT_EQ(8, m_pData->GetListenerPos().y);
}

TEST_F(SoundPlaybackTest, SettingsOutliveAReload) {
  m_pData->SetSoundVolume(30);
  m_pData->SetListenerPos(1, 1);
  m_pData->Create();
  EXPECT_EQ(30u, m_pData->GetSoundVolume(1, 1, 10, 0));
}

TEST_F(SoundPlaybackTest, AnyNonZeroSwitchIsOn) {
  m_pData->SetSoundSwitch(-3);
  m_pData->SetDistanceFading(42);
  EXPECT_EQ(75u, m_pData->GetSoundVolume(3, 4, 10, 1));
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
