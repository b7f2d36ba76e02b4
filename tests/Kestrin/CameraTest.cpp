// Capture cameras, the battle dive read on every call, camera tracks and their cached frames.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "ModuleFixture.h"

namespace {

const char CAPTURE_LINE[] = "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\n";
const char NINE_FLOATS[] = "1 2 3 4 5 6 7 8 9.5\n";
// "镜头文件格式错误:" in GBK, as the log records it.
const char TRACK_FORMAT_WRONG[] =
    "\xBE\xB5\xCD\xB7\xCE\xC4\xBC\xFE\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3:";

// A track file: the little-endian count, then nFrames frames of 32 bytes; frame i is filled
// with the byte i + 1, and nExtra bytes more follow.
std::string TrackFile(uint32_t nCount, int nFrames, int nExtra = 0) {
  std::string strFile;
  for (int i = 0; i < 4; ++i) strFile += static_cast<char>((nCount >> (8 * i)) & 0xFF);
  for (int i = 0; i < nFrames; ++i) strFile += std::string(32, static_cast<char>(i + 1));
  return strFile + std::string(nExtra, '\x7F');
}

class CameraTest : public ModuleTest {};

TEST_F(CameraTest, CaptureLineIsStoredTargetEyeRotation) {
  Write("ini/CaptureCamera.ini", CAPTURE_LINE);
  I3DRoleBaseData* pData = Load();
  const BattleCamera* pOne = pData->GetCaptureCamera1();
  const BattleCamera* pTwo = pData->GetCaptureCamera2();
  ASSERT_NE(nullptr, pOne);
  ASSERT_NE(nullptr, pTwo);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(7.0f + i, pOne->fTarget[i]);
    EXPECT_FLOAT_EQ(1.0f + i, pOne->fEye[i]);
    EXPECT_FLOAT_EQ(4.0f + i, pOne->fRotation[i]);
    EXPECT_FLOAT_EQ(16.0f + i, pTwo->fTarget[i]);
    EXPECT_FLOAT_EQ(10.0f + i, pTwo->fEye[i]);
    EXPECT_FLOAT_EQ(13.0f + i, pTwo->fRotation[i]);
  }
}

TEST_F(CameraTest, LastValidCaptureLineStandsAndAShortLineEndsTheReading) {
  Write("ini/CaptureCamera.ini",
        "; cameras\n" + std::string(CAPTURE_LINE) +
            "  21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38\n"
            "41 42 43 44\n" + CAPTURE_LINE);
  I3DRoleBaseData* pData = Load();
  const BattleCamera* pOne = pData->GetCaptureCamera1();
  EXPECT_FLOAT_EQ(41.0f, pOne->fEye[0]);       // the short line converted what it could
  EXPECT_FLOAT_EQ(44.0f, pOne->fRotation[0]);
  EXPECT_FLOAT_EQ(25.0f, pOne->fRotation[1]);  // the rest is the last valid line's
  EXPECT_FLOAT_EQ(27.0f, pOne->fTarget[0]);
  EXPECT_FLOAT_EQ(36.0f, pData->GetCaptureCamera2()->fTarget[0]);
  EXPECT_FALSE(LogHas("CaptureCamera"));
}

TEST_F(CameraTest, MissingCaptureFileIsLoggedAndLeavesNoCamera) {
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(nullptr, pData->GetCaptureCamera1());
  EXPECT_EQ(nullptr, pData->GetCaptureCamera2());
  EXPECT_EQ(1, LogCount("error on open ini/CaptureCamera.ini."));
}

TEST_F(CameraTest, SecondCreateReplacesTheCaptureCameras) {
  Write("ini/CaptureCamera.ini", CAPTURE_LINE);
  I3DRoleBaseData* pData = Load();
  Write("ini/CaptureCamera.ini", "; none valid\n1 2\n");
  pData->Create();
  EXPECT_FLOAT_EQ(1.0f, pData->GetCaptureCamera1()->fEye[0]);
  EXPECT_FLOAT_EQ(2.0f, pData->GetCaptureCamera1()->fEye[1]);
  EXPECT_FLOAT_EQ(0.0f, pData->GetCaptureCamera1()->fTarget[0]);  // new cameras start at zero
  std::filesystem::remove(m_folder / "ini/CaptureCamera.ini");
  pData->Create();
  EXPECT_FLOAT_EQ(1.0f, pData->GetCaptureCamera1()->fEye[0]);  // kept when the file is gone
}

TEST_F(CameraTest, DiveFileFillsBlocksAndValuesAfterNoteLines) {
  Write("ini/3DBattleDive.ini",
        "; comment\n" + std::string(NINE_FLOATS) + "// note\n\r\n/x\n9 8 7 6 5 4 3 2 1\n5 6 7\n1 1 1\n");
  I3DRoleBaseData* pData = Load();
  const BattleDiveInfo* pDive = pData->GetBattleDiveInfo();
  ASSERT_NE(nullptr, pDive);
  EXPECT_FLOAT_EQ(1.0f, pDive->fBlock1[0]);
  EXPECT_FLOAT_EQ(9.5f, pDive->fBlock1[8]);
  EXPECT_FLOAT_EQ(9.0f, pDive->fBlock2[0]);
  EXPECT_FLOAT_EQ(1.0f, pDive->fBlock2[8]);
  EXPECT_EQ(5, pDive->nValue[0]);
  EXPECT_EQ(6, pDive->nValue[1]);
  EXPECT_EQ(7, pDive->nValue[2]);
}

TEST_F(CameraTest, DiveIsReadAgainOnEveryCall) {
  Write("ini/3DBattleDive.ini", std::string(NINE_FLOATS) + NINE_FLOATS + "5 6 7\n");
  I3DRoleBaseData* pData = Load();
  const BattleDiveInfo* pFirst = pData->GetBattleDiveInfo();
  Write("ini/3DBattleDive.ini", "2 2 2\n");  // one short data line
  const BattleDiveInfo* pSecond = pData->GetBattleDiveInfo();
  EXPECT_EQ(pFirst, pSecond);
  EXPECT_FLOAT_EQ(2.0f, pSecond->fBlock1[2]);
  EXPECT_FLOAT_EQ(4.0f, pSecond->fBlock1[3]);  // what the short line lacked stays
  EXPECT_FLOAT_EQ(9.5f, pSecond->fBlock2[8]);
  EXPECT_EQ(7, pSecond->nValue[2]);
  std::filesystem::remove(m_folder / "ini/3DBattleDive.ini");
  EXPECT_EQ(nullptr, pData->GetBattleDiveInfo());
  EXPECT_FALSE(LogHas("3DBattleDive"));
}

TEST_F(CameraTest, FirstCameraTrackLineOfANameStands) {
  Write("ini/CameraTrack.ini",
        "; name path number\n/ note\nintro tracks/intro.trk 3\nintro other.trk 4\n"
        "short only\n\toutro  tracks/outro.trk   -2 extra\n");
  I3DRoleBaseData* pData = Load();
  const CameraTrackInfo* pIntro = pData->GetCameraTrackInfo("intro");
  ASSERT_NE(nullptr, pIntro);
  EXPECT_EQ(3, pIntro->nNumber);
  EXPECT_STREQ("tracks/intro.trk", pIntro->strPath);
  ASSERT_NE(nullptr, pData->GetCameraTrackInfo("outro"));
  EXPECT_EQ(-2, pData->GetCameraTrackInfo("outro")->nNumber);
  EXPECT_EQ(nullptr, pData->GetCameraTrackInfo("short"));
  EXPECT_EQ(nullptr, pData->GetCameraTrackInfo("Intro"));
}

TEST_F(CameraTest, OverlongTrackNameOrPathIsPassedOver) {
  Write("ini/CameraTrack.ini", std::string(256, 'n') + " a.trk 1\nb " + std::string(256, 'p') +
                                   " 2\n" + std::string(255, 'n') + " c.trk 3\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(nullptr, pData->GetCameraTrackInfo(std::string(256, 'n').c_str()));
  EXPECT_EQ(nullptr, pData->GetCameraTrackInfo("b"));
  EXPECT_NE(nullptr, pData->GetCameraTrackInfo(std::string(255, 'n').c_str()));
}

TEST_F(CameraTest, TrackFramesAreReadOnceAndKept) {
  Write("ini/CameraTrack.ini", "intro tracks/intro.trk 3\n");
  Write("tracks/intro.trk", TrackFile(2, 2, 7));
  I3DRoleBaseData* pData = Load();
  const CameraTrackFrameList* pFrames = pData->GetCameraTrackFrames("intro");
  ASSERT_NE(nullptr, pFrames);
  ASSERT_EQ(2u, pFrames->size());
  EXPECT_EQ(1, (*pFrames)[0].abyData[0]);
  EXPECT_EQ(2, (*pFrames)[1].abyData[31]);
  // Removed or rewritten, the file is not read again.
  std::filesystem::remove(m_folder / "tracks/intro.trk");
  EXPECT_EQ(pFrames, pData->GetCameraTrackFrames("intro"));
  EXPECT_EQ(2u, pData->GetCameraTrackFrames("intro")->size());
  // Neither does a second load drop the cache.
  pData->Create();
  EXPECT_EQ(pFrames, pData->GetCameraTrackFrames("intro"));
}

TEST_F(CameraTest, ShortTrackFileIsLoggedAndItsFramesKept) {
  Write("ini/CameraTrack.ini", "intro tracks/intro.trk 3\n");
  Write("tracks/intro.trk", TrackFile(2, 1, 4));  // 40 bytes of frames for a count of 2
  I3DRoleBaseData* pData = Load();
  const CameraTrackFrameList* pFrames = pData->GetCameraTrackFrames("intro");
  ASSERT_NE(nullptr, pFrames);
  EXPECT_EQ(1u, pFrames->size());
  EXPECT_EQ(1, LogCount(std::string(TRACK_FORMAT_WRONG) + "tracks/intro.trk"));
  Write("tracks/intro.trk", TrackFile(2, 2));
  EXPECT_EQ(pFrames, pData->GetCameraTrackFrames("intro"));  // the short list stays
  EXPECT_EQ(1u, pFrames->size());
}

TEST_F(CameraTest, HugeCountInASmallFileGivesTheFramesItHolds) {
  Write("ini/CameraTrack.ini", "huge huge.trk 1\nnone none.trk 1\n");
  Write("huge.trk", TrackFile(0xFFFFFFFFu, 3));
  Write("none.trk", TrackFile(0x7FFFFFFFu, 0, 31));
  I3DRoleBaseData* pData = Load();
  ASSERT_NE(nullptr, pData->GetCameraTrackFrames("huge"));
  EXPECT_EQ(3u, pData->GetCameraTrackFrames("huge")->size());
  const CameraTrackFrameList* pNone = pData->GetCameraTrackFrames("none");
  ASSERT_NE(nullptr, pNone);  // a count with no whole frame: an empty list, kept
  EXPECT_TRUE(pNone->empty());
  EXPECT_EQ(1, LogCount(std::string(TRACK_FORMAT_WRONG) + "huge.trk"));
  EXPECT_EQ(1, LogCount(std::string(TRACK_FORMAT_WRONG) + "none.trk"));
}

TEST_F(CameraTest, TrackWithoutFramesIsNotKeptAndIsReadAgain) {
  Write("ini/CameraTrack.ini", "intro intro.trk 3\n");
  Write("intro.trk", TrackFile(0, 0, 64));
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
  Write("intro.trk", std::string("\x01\x00\x00", 3));  // too short for a count
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
  Write("intro.trk", TrackFile(1, 1));
  ASSERT_NE(nullptr, pData->GetCameraTrackFrames("intro"));
  EXPECT_EQ(1u, pData->GetCameraTrackFrames("intro")->size());
  EXPECT_FALSE(LogHas(TRACK_FORMAT_WRONG));
}

TEST_F(CameraTest, UnknownNullOrMissingTrackHasNoFrames) {
  Write("ini/CameraTrack.ini", "intro missing.trk 3\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames(nullptr));
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("outro"));
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
  Write("missing.trk", TrackFile(1, 1));  // appears later: the next call reads it
  EXPECT_NE(nullptr, pData->GetCameraTrackFrames("intro"));
}

TEST_F(CameraTest, SecondCreateAddsOnlyNewTrackNames) {
  Write("ini/CameraTrack.ini", "intro a.trk 1\n");
  I3DRoleBaseData* pData = Load();
  const CameraTrackInfo* pIntro = pData->GetCameraTrackInfo("intro");
  Write("ini/CameraTrack.ini", "intro b.trk 2\noutro c.trk 3\n");
  pData->Create();
  EXPECT_EQ(pIntro, pData->GetCameraTrackInfo("intro"));
  EXPECT_STREQ("a.trk", pIntro->strPath);
  EXPECT_NE(nullptr, pData->GetCameraTrackInfo("outro"));
}

}  // namespace
