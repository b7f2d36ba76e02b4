// Battle maps of ini/BattleMap.ini: fighter groups, start and view positions, battle cameras.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "TextScan.h"
#include "ZorCommon.h"
#include "ZorIni.h"

using ZorGameBase::CTextScan;

// ASSERT(FALSE) of the loader: whichever helper meets the bad line, the record names
// C3DRoleBaseData::CreateBattleMapInfo and the line of the check.
#define BATTLE_MAP_ASSERT_FALSE() \
  ASSERT_AS(FALSE, __LINE__, SERVICE_SOURCE, "C3DRoleBaseData::CreateBattleMapInfo")

namespace {

const char BATTLE_MAP_FILE[] = "ini/BattleMap.ini";
// Lines are read as fgets reads them into 1024 bytes: a longer line comes in pieces of 1023.
const size_t LINE_BUFFER = 1024;

// atoi: blanks, a sign, decimal digits; no digits give 0. Out-of-range values saturate.
int32_t Atoi(const char* pszText) {
  while (ZorGameBase::IsScanSpace(*pszText)) ++pszText;
  bool bNegative = *pszText == '-';
  if (*pszText == '+' || *pszText == '-') ++pszText;
  int64_t nValue = 0;
  for (; *pszText >= '0' && *pszText <= '9'; ++pszText) {
    if (nValue <= INT32_MAX) nValue = nValue * 10 + (*pszText - '0');
  }
  if (bNegative) nValue = -nValue;
  if (nValue > INT32_MAX) return INT32_MAX;
  if (nValue < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(nValue);
}

// "%d %d ..." with nCount conversions into anValue; the number converted (the first ones are
// stored even when a later one fails).
int ScanInts(const char* pszValue, int32_t* anValue, int nCount) {
  CTextScan scan(pszValue, pszValue + strlen(pszValue));
  for (int i = 0; i < nCount; ++i) {
    if (!scan.Int32(anValue[i])) return i;
  }
  return nCount;
}

// "%f %f %f" into a point of a camera; the number converted.
int ScanPoint(const char* pszValue, float* afPoint) {
  CTextScan scan(pszValue, pszValue + strlen(pszValue));
  for (int i = 0; i < 3; ++i) {
    if (!scan.Float(afPoint[i])) return i;
  }
  return 3;
}

// "%d %d" into a position; the number converted.
int ScanPos(const char* pszValue, BattlePos& pos) {
  int32_t anValue[2];
  int nScanned = ScanInts(pszValue, anValue, 2);
  if (nScanned > 0) pos.x = anValue[0];
  if (nScanned > 1) pos.y = anValue[1];
  return nScanned;
}

// A section before any of its keys.
std::unique_ptr<BattleMapInfo> NewBattleMap() {
  std::unique_ptr<BattleMapInfo> pInfo(new BattleMapInfo());  // CenterWorld (0, 0)
  pInfo->CenterCell = BattlePos{-1, -1};
  pInfo->UpArrayCellpos = BattlePos{-1, -1};
  pInfo->DownArrayCellpos = BattlePos{-1, -1};
  pInfo->MaxScale = 327;
  pInfo->MinScale = 256;  // CAMERA_NORMAL_SCALE, as DefScale and StartScale
  pInfo->DefScale = 256;
  pInfo->StartScale = 256;
  pInfo->DefAngle = -30;
  pInfo->StartAngle = -90;
  pInfo->RotaryAngle = 0;
  pInfo->CameraTime = 1000;
  pInfo->TerraHigh = 0;
  return pInfo;
}

// One pass over the file. The open fighter group is kept apart from the section's groups
// until a FighterPos line of another number, the next section or the end of the file closes
// it, so a Torch line reaches only closed groups.
class CBattleMapReader {
 public:
  explicit CBattleMapReader(const BattleMapTarget& target) : m_target(target) {}
  void ReadLine(std::string_view piece);
  void CloseSection();

 private:
  void OpenSection(char* pszLine);
  void ReadSetting(const char* pszKey, const char* pszValue);
  void ReadFighterPos(const char* pszNumber, const char* pszValue);
  void ReadTorch(const char* pszNumber, const char* pszValue);
  void CloseGroup();

  const BattleMapTarget& m_target;
  std::unique_ptr<BattleMapInfo> m_pSection;  // null before the first section
  uint32_t m_nSectionNo = 0;
  FighterGroup m_openGroup{};
  bool m_bGroupOpen = false;
};

// Lines "[N]" open section N; "Key=Value" lines set what the key names; a line starting with
// a line feed or ';' is passed over. E.g. [3], MaxScale=400 ; widest zoom, FighterPos2=1 2 ...
void CBattleMapReader::ReadLine(std::string_view piece) {
  char szLine[LINE_BUFFER];
  size_t nSize = std::min(piece.size(), LINE_BUFFER - 1);  // a piece never holds more
  memcpy(szLine, piece.data(), nSize);
  szLine[nSize] = '\0';
  if (szLine[0] == '\n' || szLine[0] == ';') return;
  if (szLine[0] == '[') {
    OpenSection(szLine);
    return;
  }
  if (m_pSection == nullptr) {
    BATTLE_MAP_ASSERT_FALSE();  // a line before the first section
    return;
  }
  ZorGameBase::TrimLineHead(szLine);
  ZorGameBase::TrimLineTail(szLine);  // blanks at both ends and a ';' or "//" comment go
  char* pszEquals = ZorGameBase::ZorStrChr(szLine, '=');
  if (pszEquals == nullptr) return;
  *pszEquals = '\0';
  char* pszValue = pszEquals + 1;
  if (*pszValue == '\0') return;
  ZorGameBase::TrimLineHead(pszValue);
  ReadSetting(szLine, pszValue);
}

// "[N]": the text up to the first ']' read as atoi; no ']' leaves the line without effect.
void CBattleMapReader::OpenSection(char* pszLine) {
  char* pszClose = ZorGameBase::ZorStrChr(pszLine, ']');
  if (pszClose == nullptr) return;
  CloseSection();
  m_pSection = NewBattleMap();
  *pszClose = '\0';
  m_nSectionNo = static_cast<uint32_t>(Atoi(pszLine + 1));  // [-1] is map 4294967295
}

void CBattleMapReader::CloseSection() {
  if (m_pSection == nullptr) return;
  if (m_bGroupOpen) CloseGroup();
  m_target.mapBattleMap[m_nSectionNo] = std::move(m_pSection);  // a map of that number goes
}

void CBattleMapReader::CloseGroup() {
  m_pSection->vecFighterGroup.push_back(std::move(m_openGroup));
  m_openGroup = FighterGroup{};
  m_bGroupOpen = false;
}

// The keys in the order they are tested; the first that matches takes the line, any other key
// is passed over. FighterPos, Torch and ViewPos match by their first characters, every other
// key as a whole. A value that does not convert completely keeps what it did convert (for the
// map values and camera points) and is logged as the loader's assertion, except where noted.
void CBattleMapReader::ReadSetting(const char* pszKey, const char* pszValue) {
  BattleMapInfo& info = *m_pSection;
  BattleCamera& camera = m_target.battleCamera;
  BattleCamera& moveCamera = m_target.battleMoveCamera;
  if (strncmp(pszKey, "FighterPos", 10) == 0) {
    ReadFighterPos(pszKey + 10, pszValue);
  } else if (strcmp(pszKey, "StartPos") == 0) {
    int32_t an[5];
    if (ScanInts(pszValue, an, 5) == 5) {
      info.vecStartPos.push_back(BattleStartPos{an[0], an[1], {an[2], an[3], an[4]}});
    } else {
      BATTLE_MAP_ASSERT_FALSE();
    }
  } else if (strcmp(pszKey, "CenterWorld") == 0) {
    if (ScanPos(pszValue, info.CenterWorld) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "MaxScale") == 0) {
    if (ScanInts(pszValue, &info.MaxScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "MinScale") == 0) {
    if (ScanInts(pszValue, &info.MinScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "StartScale") == 0) {
    if (ScanInts(pszValue, &info.StartScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "DefScale") == 0) {
    if (ScanInts(pszValue, &info.DefScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "DefAngle") == 0) {
    if (ScanInts(pszValue, &info.DefAngle, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "StartAngle") == 0) {
    if (ScanInts(pszValue, &info.StartAngle, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "RotaryAngle") == 0) {
    if (ScanInts(pszValue, &info.RotaryAngle, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "CameraTime") == 0) {
    if (ScanInts(pszValue, &info.CameraTime, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "CenterCell") == 0) {
    if (ScanPos(pszValue, info.CenterCell) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (strncmp(pszKey, "Torch", 5) == 0) {
    ReadTorch(pszKey + 5, pszValue);
  } else if (strncmp(pszKey, "ViewPos", 7) == 0) {
    // ViewPos, ViewPos1 and ViewPosA alike; a short value is dropped without a message.
    int32_t an[6];
    if (ScanInts(pszValue, an, 6) == 6) {
      m_target.vecViewPos.push_back(BattleViewPos{an[0], an[1], {an[2], an[3], an[4], an[5]}});
    }
  } else if (strcmp(pszKey, "ViewStartPos") == 0) {
    BattleViewPos& start = m_target.viewStartPos;
    start.nKey1 = 0;
    start.nKey2 = 0;
    if (ScanInts(pszValue, start.nValue, 4) != 4) {
      ZorGameBase::DebugLogText("error on %s -- ViewStartPos.", BATTLE_MAP_FILE);
    }
  } else if (strcmp(pszKey, "UpArrayCellpos") == 0) {
    if (ScanPos(pszValue, info.UpArrayCellpos) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "DownArrayCellpos") == 0) {
    if (ScanPos(pszValue, info.DownArrayCellpos) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "Eye") == 0) {
    if (ScanPoint(pszValue, camera.fEye) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "EyeRotate") == 0) {
    if (ScanPoint(pszValue, camera.fRotation) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "To") == 0) {
    if (ScanPoint(pszValue, camera.fTarget) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "MoveEye") == 0) {
    if (ScanPoint(pszValue, moveCamera.fEye) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "MoveEyeRotate") == 0) {
    if (ScanPoint(pszValue, moveCamera.fRotation) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "MoveTo") == 0) {
    if (ScanPoint(pszValue, moveCamera.fTarget) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (strcmp(pszKey, "TerraHigh") == 0) {
    if (ScanInts(pszValue, &info.TerraHigh, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  }
}

// "FighterPos<N>=k1 k2 v1 .. v6" (no N is group 0). A line of another number than the open
// group's closes that group first, even when its own value then fails.
void CBattleMapReader::ReadFighterPos(const char* pszNumber, const char* pszValue) {
  int32_t nNumber = *pszNumber != '\0' ? Atoi(pszNumber) : 0;
  if (m_bGroupOpen && m_openGroup.nNumber != nNumber) CloseGroup();
  if (!m_bGroupOpen) {
    m_openGroup.nNumber = nNumber;
    m_bGroupOpen = true;
  }
  int32_t an[8];
  if (ScanInts(pszValue, an, 8) == 8) {
    m_openGroup.vecFighterPos.push_back(
        FighterPos{an[0], an[1], {an[2], an[3], an[4], an[5], an[6], an[7]}});
  } else {
    BATTLE_MAP_ASSERT_FALSE();
  }
}

// "Torch<N>=t1 t2 t3 t4": the first closed group N of the section takes the four values; a
// short value, or no such closed group, changes nothing and logs nothing.
void CBattleMapReader::ReadTorch(const char* pszNumber, const char* pszValue) {
  int32_t nNumber = *pszNumber >= '0' && *pszNumber <= '9' ? Atoi(pszNumber) : 0;
  int32_t anTorch[4];
  if (ScanInts(pszValue, anTorch, 4) != 4) return;
  for (FighterGroup& group : m_pSection->vecFighterGroup) {
    if (group.nNumber == nNumber) {
      memcpy(group.nTorch, anTorch, sizeof(anTorch));
      return;
    }
  }
}

}  // namespace

void ReadBattleMapText(std::string_view text, const BattleMapTarget& target) {
  CBattleMapReader reader(target);
  CTextScan scan(text);
  std::string_view piece;
  while (scan.LinePiece(piece, LINE_BUFFER)) reader.ReadLine(piece);
  reader.CloseSection();
}

// Adds to what an earlier run loaded: sections replace maps of the same number. 0 when the
// file cannot be opened (nothing logged), else 1.
int32_t C3DRoleBaseData::CreateBattleMapInfo() {
  std::string image;
  if (!ZorGameBase::ReadFileImage(BATTLE_MAP_FILE, image, true)) return 0;
  ReadBattleMapText(image, BattleMapTarget{m_mapBattleMap, m_vecBattleViewPos,
                                           m_battleViewStartPos, m_battleCamera,
                                           m_battleMoveCamera});
  return 1;
}

// The first view position in file order with this key pair, or null.
const BattleViewPos* C3DRoleBaseData::GetBattleViewPos(int32_t nKey1, int32_t nKey2) {
  for (const BattleViewPos& pos : m_vecBattleViewPos) {
    if (pos.nKey1 == nKey1 && pos.nKey2 == nKey2) return &pos;
  }
  return nullptr;
}

// All zero until a ViewStartPos line is read; never null.
const BattleViewPos* C3DRoleBaseData::GetBattleViewStartPos() { return &m_battleViewStartPos; }

// The To, Eye and EyeRotate points (zero until read); never null.
const BattleCamera* C3DRoleBaseData::GetBattleCamera() { return &m_battleCamera; }

// The MoveTo, MoveEye and MoveEyeRotate points (zero until read); never null.
const BattleCamera* C3DRoleBaseData::GetBattleMoveCamera() { return &m_battleMoveCamera; }

void C3DRoleBaseData::ReleaseBattleMapInfo() {
  m_mapBattleMap.clear();  // each map with its start positions and fighter groups
  m_vecBattleViewPos.clear();
}
