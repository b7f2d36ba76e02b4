// Capture cameras, the battle dive camera and camera tracks.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "3DRoleBaseData.h"
#include <filesystem>

#include "DebugLog.h"
#include "LoadFindings.h"
#include "TableText.h"
#include "TextScan.h"
#include "ZorIni.h"

using ZorGameBase::CTextScan;

namespace {

const char CAPTURE_CAMERA_FILE[] = "ini/CaptureCamera.ini";
const char BATTLE_DIVE_FILE[] = "ini/3DBattleDive.ini";
const char CAMERA_TRACK_FILE[] = "ini/CameraTrack.ini";
const size_t LINE_BUFFER = 1024;  // fgets into 1024 bytes: pieces of at most 1023 characters
const size_t TRACK_WORD_MAX = 255;  // a track name or path fills at most 255 characters
const size_t TRACK_COUNT_SIZE = 4;
// "镜头文件格式错误:%s" in GBK: the camera file has a wrong format.
const char TRACK_FORMAT_MESSAGE[] =
    "\xBE\xB5\xCD\xB7\xCE\xC4\xBC\xFE\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3:%s";

// "%f" conversions into the destinations, in order, until one fails; the number converted.
// A short decimal after a single blank is read where it stands.
int ScanFloats(CTextScan& scan, float* const* apfDest, int nCount) {
  for (int i = 0; i < nCount; ++i) {
    const char* p = scan.Position();
    if (i > 0 && p < scan.End() && *p == ' ') ++p;
    if (ShortFloatHere(p, scan.End(), *apfDest[i])) {
      scan.SetPosition(p);
    } else if (!scan.Float(*apfDest[i])) {
      return i;
    }
  }
  return nCount;
}

// Lines ';', '/', a line feed or a carriage return begin are notes, passed over.
bool IsNoteLine(std::string_view line) {
  return !line.empty() &&
         (line[0] == '/' || line[0] == ';' || line[0] == '\n' || line[0] == '\r');
}

// A track file the table names and that is absent.
void ObserveTrackPath(std::string_view path) {
  std::error_code ec;
  std::string strPath(path);
  if (std::filesystem::exists(strPath, ec) || ec) return;
  ZorGameBase::ReportFinding(ZorGameBase::RULE_TRACK_MISSING, CAMERA_TRACK_FILE, path.data(),
                             "the track file " + strPath + " is missing");
}

}  // namespace

// Each line: eighteen floats, eye point, eye rotation and target point of camera 1, then the
// same for camera 2. The first line that does not convert all eighteen ends the reading, what
// it converted kept; the last line of the valid run before it stands. Both cameras start at
// zero, also on a second run. On a missing file logs "error on open %s." and
// leaves the cameras as they were.
int32_t C3DRoleBaseData::CreateCaptureCameraInfo() {
  ZorGameBase::CZorIni ini;
  if (!ini.Open(CAPTURE_CAMERA_FILE, false)) {
    ZorGameBase::DebugLog("error on open %s.", CAPTURE_CAMERA_FILE);
    return 0;
  }
  // A second run refills the buffers of the first: the pointers handed out stay valid. The two
  // cameras are one block.
  if (m_pCaptureCamera1 == nullptr) {
    m_pCaptureCamera1 = new BattleCamera[2]();
    m_pCaptureCamera2 = m_pCaptureCamera1 + 1;
  }
  *m_pCaptureCamera1 = BattleCamera{};
  *m_pCaptureCamera2 = BattleCamera{};
  BattleCamera& one = *m_pCaptureCamera1;
  BattleCamera& two = *m_pCaptureCamera2;
  float* const apfDest[18] = {
      &one.fEye[0],      &one.fEye[1],      &one.fEye[2],      &one.fRotation[0],
      &one.fRotation[1], &one.fRotation[2], &one.fTarget[0],   &one.fTarget[1],
      &one.fTarget[2],   &two.fEye[0],      &two.fEye[1],      &two.fEye[2],
      &two.fRotation[0], &two.fRotation[1], &two.fRotation[2], &two.fTarget[0],
      &two.fTarget[1],   &two.fTarget[2]};
  // Each content line as ReadLine gives it, read where it stands.
  ZorGameBase::IniFieldLine line;
  while (ini.ReadFieldLine(line)) {
    CTextScan scan(line.pszLine, line.pLineEnd);
    if (ScanFloats(scan, apfDest, 18) < 18) break;
  }
  return 1;
}

// Lines "name path number" ("%s %s %d"), e.g. intro tracks/intro.trk 3; note lines and lines
// that do not convert are passed over, as is a name or path longer than 255 characters. The
// first line of a name stands, also against an earlier run. 0 when the file cannot be opened
// (nothing logged), else 1.
int32_t C3DRoleBaseData::CreateCameraTrackInfo() {
  ZorGameBase::CFileImage image;
  if (!image.Read(CAMERA_TRACK_FILE, true)) return 0;
  CLinePieces pieces(image.View(), LINE_BUFFER);
  std::string_view line;
  while (pieces.Next(line)) {
    if (IsNoteLine(line)) continue;
    CTextScan fields(line);
    std::string_view name;
    std::string_view path;
    int32_t nNumber;
    if (!fields.Word(name) || !fields.Word(path) || !fields.Int32(nNumber)) continue;
    if (name.size() > TRACK_WORD_MAX || path.size() > TRACK_WORD_MAX) continue;
    CameraTrackInfo& info = m_mapCameraTrack.Add(name);
    info.nNumber = nNumber;
    if (ZorGameBase::LoadObserver() != nullptr) ObserveTrackPath(path);
    info.strPath.AssignText(path.data(), static_cast<int>(path.size()));  // a word: no zero byte
  }
  m_mapCameraTrack.EndLoad();
  return 1;
}

// Capture camera 1 or 2: null until ini/CaptureCamera.ini has been opened.
const BattleCamera* C3DRoleBaseData::GetCaptureCamera1() { return m_pCaptureCamera1; }

const BattleCamera* C3DRoleBaseData::GetCaptureCamera2() { return m_pCaptureCamera2; }

// Reads ini/3DBattleDive.ini again on every call: after note lines, data line 1 is the first
// block (nine floats), line 2 the second block, line 3 the three values ("%d %d %d"); later
// lines are ignored. A line converts as far as it can; what the file lacks keeps the values of
// the previous call. Null (and nothing changed) when the file cannot be opened.
const BattleDiveInfo* C3DRoleBaseData::GetBattleDiveInfo() {
  std::string image;
  if (!ZorGameBase::ReadFileImage(BATTLE_DIVE_FILE, image, true)) return nullptr;
  CTextScan scan(image);
  std::string_view line;
  int nDataLine = 0;
  while (nDataLine < 3 && scan.LinePiece(line, LINE_BUFFER)) {
    if (IsNoteLine(line)) continue;
    CTextScan fields(line);
    ++nDataLine;
    if (nDataLine == 3) {
      for (int32_t& nValue : m_battleDive.nValue) {
        if (!fields.Int32(nValue)) break;
      }
      continue;
    }
    for (float& fValue : nDataLine == 1 ? m_battleDive.fBlock1 : m_battleDive.fBlock2) {
      if (!fields.Float(fValue)) break;
    }
  }
  return &m_battleDive;
}

// The ini/CameraTrack.ini entry of the name; null when absent (or for a null name).
const CameraTrackInfo* C3DRoleBaseData::GetCameraTrackInfo(const char* pszName) {
  if (pszName == nullptr) return nullptr;
  return m_mapCameraTrack.Find(std::string_view(pszName));
}

// The frames of the named track. Read from the track file on the first call that finds one
// and kept (also a short list): later calls return the same list without opening the file.
// Null for a null or unlisted name, and when the file cannot be opened or holds no frame
// count; then nothing is kept and the next call tries again.
const CameraTrackFrameList* C3DRoleBaseData::GetCameraTrackFrames(const char* pszName) {
  if (pszName == nullptr) return nullptr;
  std::string_view name(pszName);
  if (const auto* ppFrames = m_mapCameraTrackFrames.Find(name)) return ppFrames->get();
  const CameraTrackInfo* pTrack = m_mapCameraTrack.Find(name);
  if (pTrack == nullptr) return nullptr;
  const char* pszPath = pTrack->strPath;
  std::string image;
  if (!ZorGameBase::ReadFileImage(pszPath, image, false)) return nullptr;
  // Without the memory for the frames the call answers as for a file that cannot be read.
  try {
    std::unique_ptr<CameraTrackFrameList> pFrames = ReadCameraTrackFile(image, pszPath);
    if (pFrames == nullptr) return nullptr;
    return (m_mapCameraTrackFrames.FindOrAdd(name) = std::move(pFrames)).get();
  } catch (const std::bad_alloc&) {
    ZorGameBase::DebugLog("out of memory while loading %s.", pszPath);
    return nullptr;
  }
}

std::unique_ptr<CameraTrackFrameList> ReadCameraTrackFile(std::string_view image,
                                                          const char* pszPath) {
  if (image.size() < TRACK_COUNT_SIZE) return nullptr;
  const unsigned char* pbyCount = reinterpret_cast<const unsigned char*>(image.data());
  uint32_t nCount = static_cast<uint32_t>(pbyCount[0]) | static_cast<uint32_t>(pbyCount[1]) << 8 |
                    static_cast<uint32_t>(pbyCount[2]) << 16 |
                    static_cast<uint32_t>(pbyCount[3]) << 24;
  if (nCount == 0) return nullptr;
  // As many frames as the count promises and the file holds: a huge count in a small file
  // costs no more than the file.
  size_t nHeld = (image.size() - TRACK_COUNT_SIZE) / sizeof(CameraTrackFrame);
  size_t nFrames = std::min<size_t>(nCount, nHeld);
  auto pFrames = std::make_unique<CameraTrackFrameList>(nFrames);
  if (nFrames > 0) {
    memcpy(pFrames->data(), image.data() + TRACK_COUNT_SIZE, nFrames * sizeof(CameraTrackFrame));
  }
  if (nFrames < nCount) {
    ZorGameBase::DebugLog(TRACK_FORMAT_MESSAGE, pszPath);
    if (ZorGameBase::LoadObserver() != nullptr) {
      ZorGameBase::ReportFindingAtLine(ZorGameBase::RULE_TRACK_SHORT, pszPath, 0, 0,
                                       "the file announces " + std::to_string(nCount) +
                                           " frames and holds " + std::to_string(nFrames),
                                       true);
    }
  }
  return pFrames;
}

void C3DRoleBaseData::ReleaseCaptureCameraInfo() {
  delete[] m_pCaptureCamera1;  // and camera 2 with it
  m_pCaptureCamera1 = nullptr;
  m_pCaptureCamera2 = nullptr;
}

void C3DRoleBaseData::ReleaseCameraTrackFrames() { m_mapCameraTrackFrames.Clear(); }
