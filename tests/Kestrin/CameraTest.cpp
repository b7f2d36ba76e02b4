// Capture cameras, the battle dive read on every call, camera tracks and their cached frames.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "QuerySweep.h"

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

using CameraTest = ModuleTest;

using Floats = std::vector<float>;

// A line is eye, rotation, target of camera 1, then the same of camera 2; stored as target, eye,
// rotation. The short line converted what it could; the rest is the last valid line's.
TEST_F(CameraTest, LastValidCaptureLineStandsAndAShortLineEndsTheReading) {
  I3DRoleBaseData* pData = LoadWith("ini/CaptureCamera.ini",
                                    "; cameras\n" + std::string(CAPTURE_LINE) +
                                        "  21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38\n"
                                        "41 42 43 44\n" +
                                        CAPTURE_LINE);
  EXPECT_EQ((Floats{27, 28, 29, 41, 42, 43, 44, 25, 26}),
            Fields<float>(pData->GetCaptureCamera1()));
  EXPECT_EQ((Floats{36, 37, 38, 30, 31, 32, 33, 34, 35}),
            Fields<float>(pData->GetCaptureCamera2()));
  EXPECT_FALSE(LogHas("CaptureCamera"));
}

// The dive is read again on every call, into the same record: what a short line lacks stays.
TEST_F(CameraTest, DiveFileFillsBlocksAndValuesAfterNoteLinesOnEveryCall) {
  Write("ini/3DBattleDive.ini", "; comment\n" + std::string(NINE_FLOATS) +
                                    "// note\n\r\n/x\n9 8 7 6 5 4 3 2 1\n5 6 7\n1 1 1\n");
  I3DRoleBaseData* pData = Load();
  const BattleDiveInfo* pDive = pData->GetBattleDiveInfo();
  EXPECT_EQ((Floats{1, 2, 3, 4, 5, 6, 7, 8, 9.5, 9, 8, 7, 6, 5, 4, 3, 2, 1}),
            Fields<float>(pDive, 18));
  ASSERT_NE(nullptr, pDive);
  EXPECT_EQ((std::vector<int32_t>{5, 6, 7}), Fields(&pDive->nValue));
  Write("ini/3DBattleDive.ini", "2 2 2\n");  // one short data line
  EXPECT_EQ(pDive, pData->GetBattleDiveInfo());
  EXPECT_EQ((Floats{2, 2, 2, 4, 5, 6, 7, 8, 9.5, 9, 8, 7, 6, 5, 4, 3, 2, 1}),
            Fields<float>(pDive, 18));
  EXPECT_EQ(7, pDive->nValue[2]);
  std::filesystem::remove(m_folder / "ini/3DBattleDive.ini");
  EXPECT_EQ(nullptr, pData->GetBattleDiveInfo());
  EXPECT_FALSE(LogHas("3DBattleDive"));
}

// A line whose name or path is longer than 255 characters is passed over.
TEST_F(CameraTest, FirstCameraTrackLineOfANameStands) {
  const std::string strName255(255, 'n'), strName256(256, 'n');
  I3DRoleBaseData* pData = LoadWith(
      "ini/CameraTrack.ini",
      "; name path number\n/ note\nintro tracks/intro.trk 3\nintro other.trk 4\nshort only\n"
      "\toutro  tracks/outro.trk   -2 extra\n" +
          strName256 + " a.trk 1\nb " + std::string(256, 'p') + " 2\n" + strName255 + " c.trk 3\n");
  EXPECT_EQ(
      "3 \"tracks/intro.trk\" / -2 \"tracks/outro.trk\" / "
      "null / null / null / null / 3 \"c.trk\" /",
      Each({"intro", "outro", "short", "Intro", strName256.c_str(), "b", strName255.c_str()},
           [&](const char* pszName) {
             return Describe(pData->GetCameraTrackInfo(pszName)) + " /";
           }));
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

// Each row is the track file of its own track: the frames kept (-1: nothing kept) and whether
// the file is reported as holding fewer frames than its count.
TEST_F(CameraTest, TrackFileGivesTheWholeFramesItHolds) {
  const struct {
    const char* pszName;
    std::string strFile;
    int nFrames;
    bool bReported;
  } cases[] = {
      {"a frame short", TrackFile(2, 1, 4), 1, true},
      {"huge count in a small file", TrackFile(0xFFFFFFFFu, 3), 3, true},
      {"no whole frame for the count: an empty list", TrackFile(0x7FFFFFFFu, 0, 31), 0, true},
      {"a count of 0", TrackFile(0, 0, 64), -1, false},
      {"too short for a count", std::string("\x01\x00\x00", 3), -1, false},
  };
  std::string strTracks;
  for (size_t i = 0; i < std::size(cases); ++i) {
    strTracks += "t" + std::to_string(i) + " f" + std::to_string(i) + ".trk 1\n";
    Write("f" + std::to_string(i) + ".trk", cases[i].strFile);
  }
  I3DRoleBaseData* pData = LoadWith("ini/CameraTrack.ini", strTracks);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const CameraTrackFrameList* pFrames =
        pData->GetCameraTrackFrames(("t" + std::to_string(i)).c_str());
    EXPECT_EQ(cases[i].nFrames, pFrames == nullptr ? -1 : static_cast<int>(pFrames->size()))
        << cases[i].pszName;
    EXPECT_EQ(cases[i].bReported ? 1 : 0,
              LogCount(TRACK_FORMAT_WRONG + ("f" + std::to_string(i) + ".trk")))
        << cases[i].pszName;
  }
}

// A track without frames is not kept: the next call reads its file again, also one that
// appears later.
TEST_F(CameraTest, TrackWithoutFramesIsReadAgainAndUnknownTracksHaveNone) {
  Write("ini/CameraTrack.ini", "intro intro.trk 3\n");
  Write("intro.trk", TrackFile(0, 0, 64));
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames(nullptr));
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("outro"));
  std::filesystem::remove(m_folder / "intro.trk");
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
  Write("intro.trk", TrackFile(1, 1));
  ASSERT_NE(nullptr, pData->GetCameraTrackFrames("intro"));
  EXPECT_EQ(1u, pData->GetCameraTrackFrames("intro")->size());
  EXPECT_FALSE(LogHas(TRACK_FORMAT_WRONG));
}

}  // namespace
