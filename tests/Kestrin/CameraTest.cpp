// The battle dive read on every call, camera tracks and their cached frames. What the capture
// camera and track files give is asked by the cases of tests/cases/camera.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ModuleFixture.h"

namespace {

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
  // Gone or turned into a folder: no dive, and the record handed out still reads.
  std::filesystem::remove(m_folder / "ini/3DBattleDive.ini");
  EXPECT_EQ(nullptr, pData->GetBattleDiveInfo());
  std::filesystem::create_directory(m_folder / "ini/3DBattleDive.ini");
  EXPECT_EQ(nullptr, pData->GetBattleDiveInfo());
  EXPECT_EQ(7, pDive->nValue[2]);
  EXPECT_FALSE(LogHas("3DBattleDive"));
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
