// Battle maps of ini/BattleMap.ini: fighter groups, start and view positions, battle cameras.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadObserver.h"
#include "ScanDecimals.h"
#include "TableText.h"
#include "TextScan.h"

using ZorGameBase::CTextScan;

// ASSERT(FALSE) of the loader: whichever helper meets the bad line, the record names
// C3DRoleBaseData::CreateBattleMapInfo and the line of the check. An observer is told of the
// value at hand.
#define BATTLE_MAP_ASSERT_FALSE()                                                            \
  do {                                                                                       \
    ASSERT_AS(FALSE, __LINE__, SERVICE_SOURCE, "C3DRoleBaseData::CreateBattleMapInfo");       \
    if (ZorGameBase::LoadObserver() != nullptr) ObserveRejected(key, value);                 \
  } while (0)

namespace {

const char BATTLE_MAP_FILE[] = "ini/BattleMap.ini";
// Lines are read as fgets reads them into 1024 bytes: a longer line comes in pieces of 1023.
const size_t LINE_BUFFER = 1024;

ZOR_OBSERVER_PATH void ObserveRejected(std::string_view key, std::string_view value) {
  std::string strValue(value.substr(0, value.find_first_of("\r\n")));
  std::string strMessage = key.empty() ? "\"" + strValue + "\" stands before the first section; the line is dropped"
                                       : std::string(key) + "=" + strValue +
                                             ": the value does not convert; the line is dropped";
  ZorGameBase::ReportFinding(ZorGameBase::RULE_LINE_REJECTED, BATTLE_MAP_FILE, value.data(), strMessage,
                             true);
}

// Tells an observer of a value the client reads only in part: "15OO" as 15, "25b" as 25.
ZOR_OBSERVER_PATH void ObserveCut(std::string_view value, const CTextScan& scan) {
  std::string_view rest = scan.Rest();
  const char* pOver =
      ZorGameBase::FindOutOfRange(value.data(), value.data() + value.size() - rest.size());
  if (pOver != nullptr) {
    ZorGameBase::ReportFinding(ZorGameBase::RULE_NUMBER_RANGE, BATTLE_MAP_FILE, pOver,
                               "\"" + std::string(value) +
                                   "\" holds a number that does not fit 32 bits; the client reads "
                                   "another value");
  }
  if (rest.empty()) return;
  std::string strRead(value.substr(0, value.size() - rest.size()));
  while (!strRead.empty() && strRead.back() == ' ') strRead.pop_back();
  ZorGameBase::ReportFinding(ZorGameBase::RULE_NUMBER_CUT, BATTLE_MAP_FILE, rest.data(),
                             "the client reads \"" + std::string(value) + "\" as \"" + strRead +
                                 "\"");
}

const char* SkipSpace(const char* p, const char* pEnd) {
  while (p < pEnd && ZorGameBase::IsScanSpace(*p)) ++p;
  return p;
}

// "%d %d ..." with nCount conversions into anValue; the number converted (the first ones are
// stored even when a later one fails). kBounded as for ScanDecimals: a value ending in anything
// but a digit or a sign (its line feed, as a rule) ends every number by itself.
template <bool kBounded>
int ScanIntsUpTo(std::string_view value, int32_t* anValue, int nCount) {
  const char* p = value.data();
  const char* pEnd = p + value.size();
  int nRead = ScanDecimals<kBounded>(p, pEnd, anValue, nCount);
  if (nRead == nCount && ZorGameBase::LoadObserver() != nullptr) ObserveCut(value, CTextScan(p, pEnd));
  return nRead;
}

int ScanInts(std::string_view value, int32_t* anValue, int nCount) {
  if (ZorGameBase::StopsEveryNumber(value)) return ScanIntsUpTo<false>(value, anValue, nCount);
  return ScanIntsUpTo<true>(value, anValue, nCount);
}

// "%f %f %f" into a point of a camera; the number converted.
int ScanPoint(std::string_view value, float* afPoint) {
  CTextScan scan(value);
  for (int i = 0; i < 3; ++i) {
    if (!scan.Float(afPoint[i])) return i;
  }
  if (ZorGameBase::LoadObserver() != nullptr) ObserveCut(value, scan);
  return 3;
}

ZOR_OBSERVER_PATH void ObserveNoEquals(std::string_view setting) {
  ZorGameBase::ReportFinding(ZorGameBase::RULE_LINE_IGNORED, BATTLE_MAP_FILE, setting.data(),
                             "\"" + std::string(setting) + "\" has no '='; the line is skipped");
}

ZOR_OBSERVER_PATH void ObserveUnclosed(std::string_view line) {
  std::string strLine(line.substr(0, line.find_first_of("\r\n")));
  ZorGameBase::ReportFinding(ZorGameBase::RULE_SECTION_UNCLOSED, BATTLE_MAP_FILE, line.data(),
                             "\"" + strLine + "\" has no ']': no map starts here");
}

ZOR_OBSERVER_PATH void ObserveShort(std::string_view key, std::string_view value, int nRead, int nWanted) {
  ZorGameBase::ReportFinding(ZorGameBase::RULE_FIELDS_MISSING, BATTLE_MAP_FILE, value.data(),
                             std::string(key) + " has " + std::to_string(nRead) + " of " +
                                 std::to_string(nWanted) +
                                 " numbers; the line is dropped without a message");
}

// The first '=' of a setting from p on, GBK double-byte characters stepped over whole (as
// ZorStrChr finds it); null when a ';' or "//" comment or the end comes first.
const char* FindSettingEquals(const char* p, const char* pEnd) {
  namespace zb = ZorGameBase;
  for (;;) {
    p = zb::FindByte(
        p, pEnd,
        [](uint64_t nWord) {
          return zb::BytesEqual(nWord, '=') | zb::BytesEqual(nWord, ';') |
                 zb::BytesEqual(nWord, '/') | (nWord & zb::WORD_HIGHS);
        },
        [](char ch) {
          return ch == '=' || ch == ';' || ch == '/' || static_cast<unsigned char>(ch) >= 0x80;
        });
    if (p == pEnd || *p == ';') return nullptr;
    if (*p == '=') return p;
    if (*p == '/') {
      if (pEnd - p > 1 && p[1] == '/') return nullptr;
      ++p;
      continue;
    }
    p += zb::GbkCharSize(p, pEnd);
  }
}

// atoi of the text after a key's name (it stops at the '=' behind the key at the latest); the
// usual few plain digits are summed here.
int32_t GroupNumber(std::string_view digits) {
  int32_t nNumber = 0;
  if (digits.size() > 9) return ZorGameBase::ParseDecimal(digits.data());
  for (char ch : digits) {
    unsigned nDigit = static_cast<unsigned char>(ch) - '0';
    if (nDigit >= 10) return ZorGameBase::ParseDecimal(digits.data());
    nNumber = nNumber * 10 + static_cast<int32_t>(nDigit);
  }
  return nNumber;
}

// One value of a plain line at q, digits after an optional '-'; q moved behind it. (DecimalHere
// reads these the same, with "+" too, but as a call per value it makes the battle maps' load a
// sixth dearer; a "+" goes to the general reader.)
bool ValueHere(const char*& q, int32_t& nValue) {
  uint64_t nAccum;
  unsigned nDigit;
  if ((nDigit = static_cast<unsigned char>(*q) - '0') < 10) {
    nAccum = nDigit;
    q = ZorGameBase::AccumulateDigits(q + 1, ZorGameBase::IMAGE_END, nAccum);
  } else if (*q == '-' && (nDigit = static_cast<unsigned char>(q[1]) - '0') < 10) {
    nAccum = nDigit;
    q = ZorGameBase::AccumulateDigits(q + 2, ZorGameBase::IMAGE_END, nAccum);
    nAccum = 0 - nAccum;
  } else {
    return false;
  }
  nValue = static_cast<int32_t>(static_cast<uint32_t>(nAccum));
  return true;
}

// A value (ValueHere), then chAfter; q moved behind that. The values of a FighterPos line are
// read one after another, without a loop (ValuesThen).
bool ValueThen(const char*& q, char chAfter, int32_t& nValue) {
  if (!ValueHere(q, nValue) || *q != chAfter) return false;
  ++q;
  return true;
}

// The N values of a plain line, one blank between them and the line feed behind the last.
template <size_t N, size_t... I>
bool ValuesThen(const char*& q, int32_t (&anValue)[N], std::index_sequence<I...>) {
  return (ValueThen(q, I + 1 < N ? ' ' : '\n', anValue[I]) && ...);
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
// it, so a Torch line reaches only closed groups. The open group's positions, the section's
// groups and its start positions gather in lists the reader keeps from section to section;
// a closing group or section takes them in lists of just their size.
class CBattleMapReader {
 public:
  explicit CBattleMapReader(const BattleMapTarget& target) : m_target(target) {}
  void ReadLine(std::string_view piece);
  const char* ReadFighterPosHere(const char* p, const char* pEnd);
  const char* ReadSettingHere(const char* p);
  void CloseSection();

 private:
  void OpenSection(std::string_view line);
  void ReadSetting(std::string_view key, std::string_view value);
  void ReadFighterPos(std::string_view key, std::string_view value);
  void ReadTorch(std::string_view key, std::string_view value);
  void OpenGroup(int32_t nNumber);
  void CloseGroup();
  void ObserveCell(std::string_view key, std::string_view value, int32_t x, int32_t y);
  int Ints(std::string_view value, int32_t* anValue, int nCount);
  int Pos(std::string_view value, BattlePos& pos);

  const BattleMapTarget& m_target;
  std::unique_ptr<BattleMapInfo> m_pSection;  // null before the first section
  uint32_t m_nSectionNo = 0;
  std::unique_ptr<ZorGameBase::CDuplicateKeys> m_pSections;  // with an observer only
  std::unique_ptr<std::vector<std::pair<int64_t, int>>> m_pCells;  // the open group's, with lines
  int32_t m_nOpenGroup = 0;
  bool m_bGroupOpen = false;
  std::vector<FighterPos> m_vecOpenPositions;
  std::vector<FighterGroup> m_vecGroups;  // the open section's closed groups
  std::vector<BattleStartPos> m_vecStartPos;  // the open section's
  // The numbers of a value read where its line stands (ReadSettingHere), null for any other.
  const int32_t* m_pValuesHere = nullptr;
  int m_nValuesHere = 0;
};

// Lines "[N]" open section N; "Key=Value" lines set what the key names; a line starting with
// a line feed or ';' is passed over. E.g. [3], MaxScale=400 ; widest zoom, FighterPos2=1 2 ...
void CBattleMapReader::ReadLine(std::string_view piece) {
  char chFirst = piece.empty() ? '\0' : piece[0];
  if (chFirst == '\n' || chFirst == ';') return;
  if (chFirst == '[') {
    OpenSection(piece);
    return;
  }
  if (m_pSection == nullptr) {
    std::string_view key = "", value = piece;
    BATTLE_MAP_ASSERT_FALSE();  // a line before the first section
    return;
  }
  // Blanks at both ends and a ';' or "//" comment go; the key is the text before the first '='.
  const char* pEnd = piece.data() + piece.size();
  const char* pKey = SkipSpace(piece.data(), pEnd);
  const char* pEquals = FindSettingEquals(pKey, pEnd);
  if (pEquals == nullptr) {
    if (ZorGameBase::LoadObserver() != nullptr && !TrimSettingLine(piece).empty()) {
      ObserveNoEquals(TrimSettingLine(piece));
    }
    return;
  }
  // A value that is blank up to its comment or the line's end is none. The numbers of a value
  // end before its comment and its trailing blanks by themselves, so only an observer, which
  // quotes the value, needs them cut.
  const char* pValue = SkipSpace(pEquals + 1, pEnd);
  if (pValue == pEnd || *pValue == ';' ||
      (*pValue == '/' && pEnd - pValue > 1 && pValue[1] == '/')) {
    return;
  }
  std::string_view value(pValue, static_cast<size_t>(pEnd - pValue));
  if (ZorGameBase::LoadObserver() != nullptr) value = TrimSettingLine(value);
  ReadSetting(std::string_view(pKey, static_cast<size_t>(pEquals - pKey)), value);
}

// ScanInts of a value; of one read where its line stands, the numbers read there, which are
// the same.
int CBattleMapReader::Ints(std::string_view value, int32_t* anValue, int nCount) {
  if (m_pValuesHere == nullptr) return ScanInts(value, anValue, nCount);
  int nRead = std::min(nCount, m_nValuesHere);
  std::copy(m_pValuesHere, m_pValuesHere + nRead, anValue);
  return nRead;
}

// "%d %d" into a position; the number converted.
int CBattleMapReader::Pos(std::string_view value, BattlePos& pos) {
  int32_t anValue[2] = {};
  int nScanned = Ints(value, anValue, 2);
  if (nScanned > 0) pos.x = anValue[0];
  if (nScanned > 1) pos.y = anValue[1];
  return nScanned;
}

// "[N]": the text up to the first ']' read as atoi; no ']' leaves the line without effect.
void CBattleMapReader::OpenSection(std::string_view line) {
  if (FindCharGbk(line, ']') == nullptr) {
    if (ZorGameBase::LoadObserver() != nullptr) ObserveUnclosed(line);
    return;
  }
  CloseSection();
  m_pSection = NewBattleMap();
  // atoi stops at the ']' at the latest.
  m_nSectionNo = static_cast<uint32_t>(ZorGameBase::ParseDecimal(line.data() + 1));  // [-1]: 4294967295
  if (ZorGameBase::LoadObserver() != nullptr) {
    if (m_pSections == nullptr) {
      m_pSections.reset(new ZorGameBase::CDuplicateKeys(
          BATTLE_MAP_FILE, ZorGameBase::RULE_DUPLICATE_SECTION, true));
    }
    m_pSections->Note(m_nSectionNo, line.data(), ("map " + std::to_string(m_nSectionNo)).c_str());
  }
}

void CBattleMapReader::CloseSection() {
  if (m_pSection == nullptr) return;
  if (m_bGroupOpen) CloseGroup();
  m_pSection->vecStartPos.assign(m_vecStartPos.begin(), m_vecStartPos.end());
  m_vecStartPos.clear();
  m_pSection->vecFighterGroup.reserve(m_vecGroups.size());
  for (FighterGroup& group : m_vecGroups) m_pSection->vecFighterGroup.push_back(std::move(group));
  m_vecGroups.clear();
  m_target.mapBattleMap.Add(m_nSectionNo) = std::move(*m_pSection);  // a map of that number goes
  m_pSection.reset();
}

// Two positions of one fighter group on the same cell (the first two of the six values).
ZOR_OBSERVER_PATH void CBattleMapReader::ObserveCell(std::string_view key, std::string_view value, int32_t x, int32_t y) {
  if (m_pCells == nullptr) m_pCells.reset(new std::vector<std::pair<int64_t, int>>());
  int64_t nCell = static_cast<int64_t>(x) * 0x100000000LL + static_cast<uint32_t>(y);
  for (const auto& [nOther, nLine] : *m_pCells) {
    if (nOther != nCell) continue;
    ZorGameBase::ReportFinding(ZorGameBase::RULE_CELL_SHARED, BATTLE_MAP_FILE, value.data(),
                               std::string(key) + " puts a fighter on cell " + std::to_string(x) +
                                   " " + std::to_string(y) + ", as line " +
                                   std::to_string(nLine) + " does");
    return;
  }
  m_pCells->emplace_back(nCell, ZorGameBase::ObservedLine(value.data()));
}

void CBattleMapReader::CloseGroup() {
  if (m_pCells != nullptr) m_pCells->clear();
  m_vecGroups.push_back(FighterGroup{m_nOpenGroup, {}, std::vector<FighterPos>(m_vecOpenPositions.begin(), m_vecOpenPositions.end())});
  m_vecOpenPositions.clear();
  m_bGroupOpen = false;
}

// The keys in the order they are tested; the first that matches takes the line, any other key
// is passed over. FighterPos, Torch and ViewPos match by their first characters, every other
// key as a whole. A value that does not convert completely keeps what it did convert (for the
// map values and camera points) and is logged as the loader's assertion, except where noted.
void CBattleMapReader::ReadSetting(std::string_view key, std::string_view value) {
  BattleMapInfo& info = *m_pSection;
  BattleCamera& camera = m_target.battleCamera;
  BattleCamera& moveCamera = m_target.battleMoveCamera;
  // The three keys that match by their first characters exclude every whole key.
  if (key.substr(0, 10) == "FighterPos") {
    ReadFighterPos(key, value);
    return;
  }
  if (key.substr(0, 5) == "Torch") {
    ReadTorch(key, value);
    return;
  }
  if (key.substr(0, 7) == "ViewPos") {
    // ViewPos, ViewPos1 and ViewPosA alike; a short value is dropped without a message.
    int32_t an[6];
    int nRead = Ints(value, an, 6);
    if (nRead == 6) {
      m_target.vecViewPos.push_back(BattleViewPos{an[0], an[1], {an[2], an[3], an[4], an[5]}});
    } else if (ZorGameBase::LoadObserver() != nullptr) {
      ObserveShort(key, value, nRead, 6);
    }
    return;
  }
  // Each failing check logs the assertion at its own line.
  if (key == "StartPos") {
    int32_t an[5];
    if (Ints(value, an, 5) == 5) {
      m_vecStartPos.push_back(BattleStartPos{an[0], an[1], {an[2], an[3], an[4]}});
    } else {
      BATTLE_MAP_ASSERT_FALSE();
    }
  } else if (key == "CenterWorld") {
    if (Pos(value, info.CenterWorld) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "MaxScale") {
    if (Ints(value, &info.MaxScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "MinScale") {
    if (Ints(value, &info.MinScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "StartScale") {
    if (Ints(value, &info.StartScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "DefScale") {
    if (Ints(value, &info.DefScale, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "DefAngle") {
    if (Ints(value, &info.DefAngle, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "StartAngle") {
    if (Ints(value, &info.StartAngle, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "RotaryAngle") {
    if (Ints(value, &info.RotaryAngle, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "CameraTime") {
    if (Ints(value, &info.CameraTime, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "CenterCell") {
    if (Pos(value, info.CenterCell) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "ViewStartPos") {
    BattleViewPos& start = m_target.viewStartPos;
    start.nKey1 = 0;
    start.nKey2 = 0;
    if (Ints(value, start.nValue, 4) != 4) {
      ZorGameBase::DebugLog("error on %s -- ViewStartPos.", BATTLE_MAP_FILE);
      if (ZorGameBase::LoadObserver() != nullptr) ObserveRejected(key, value);
    }
  } else if (key == "UpArrayCellpos") {
    if (Pos(value, info.UpArrayCellpos) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "DownArrayCellpos") {
    if (Pos(value, info.DownArrayCellpos) != 2) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "Eye") {
    if (ScanPoint(value, camera.fEye) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "EyeRotate") {
    if (ScanPoint(value, camera.fRotation) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "To") {
    if (ScanPoint(value, camera.fTarget) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "MoveEye") {
    if (ScanPoint(value, moveCamera.fEye) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "MoveEyeRotate") {
    if (ScanPoint(value, moveCamera.fRotation) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "MoveTo") {
    if (ScanPoint(value, moveCamera.fTarget) != 3) BATTLE_MAP_ASSERT_FALSE();
  } else if (key == "TerraHigh") {
    if (Ints(value, &info.TerraHigh, 1) != 1) BATTLE_MAP_ASSERT_FALSE();
  }
}

// "FighterPos<N>=k1 k2 v1 .. v6" (no N is group 0). A line of another number than the open
// group's closes that group first, even when its own value then fails. (atoi of the number
// stops at the '=' after the key at the latest.)
void CBattleMapReader::ReadFighterPos(std::string_view key, std::string_view value) {
  OpenGroup(key.size() > 10 ? GroupNumber(key.substr(10)) : 0);
  int32_t an[8];
  if (Ints(value, an, 8) == 8) {
    m_vecOpenPositions.push_back(
        FighterPos{an[0], an[1], {an[2], an[3], an[4], an[5], an[6], an[7]}});
    if (ZorGameBase::LoadObserver() != nullptr) ObserveCell(key, value, an[2], an[3]);
  } else {
    BATTLE_MAP_ASSERT_FALSE();
  }
}

void CBattleMapReader::OpenGroup(int32_t nNumber) {
  if (m_bGroupOpen && m_nOpenGroup != nNumber) CloseGroup();
  m_nOpenGroup = nNumber;
  m_bGroupOpen = true;
}

// The bulk of the file, a FighterPos line in its plain form read where it stands: the digits
// of N, each of the eight values digits after an optional '-', one blank between them
// and the line feed right behind the last, the whole line one piece. Answers where the next
// line starts, or null for any other line, which ReadLine reads as a piece to the same effect.
// The text ends with a line feed, where every run read here stops at the latest.
const char* CBattleMapReader::ReadFighterPosHere(const char* p, const char* pEnd) {
  const size_t KEY_LENGTH = 10;
  if (m_pSection == nullptr || static_cast<size_t>(pEnd - p) <= KEY_LENGTH ||
      memcmp(p, "FighterPos", KEY_LENGTH) != 0) {
    return nullptr;
  }
  const char* q = p + KEY_LENGTH;
  while (static_cast<unsigned char>(*q - '0') < 10) ++q;
  if (*q != '=') return nullptr;
  int32_t nNumber = GroupNumber(std::string_view(p + KEY_LENGTH, static_cast<size_t>(q - (p + KEY_LENGTH))));
  ++q;
  int32_t an[8];
  if (!ValuesThen(q, an, std::make_index_sequence<8>()) || static_cast<size_t>(q - 1 - p) >= LINE_BUFFER - 1) {
    return nullptr;
  }
  OpenGroup(nNumber);
  m_vecOpenPositions.push_back(FighterPos{an[0], an[1], {an[2], an[3], an[4], an[5], an[6], an[7]}});
  return q;
}

// The other settings in their plain form read where they stand: a key of ASCII letters and
// digits, a letter first, then '=' and up to eight values, each digits after an optional '-',
// one blank between them and the line feed right behind the last, the whole line one piece.
// ReadSetting takes the line as ReadLine would give it, its values already read. Answers where
// the next line starts, or null for any other line, which ReadLine reads to the same effect.
const char* CBattleMapReader::ReadSettingHere(const char* p) {
  auto IsLetter = [](char ch) { return static_cast<unsigned>((ch | 0x20) - 'a') < 26; };
  if (m_pSection == nullptr || !IsLetter(*p)) return nullptr;
  const char* q = p + 1;
  while (IsLetter(*q) || static_cast<unsigned char>(*q - '0') < 10) ++q;
  if (*q != '=') return nullptr;
  const char* pValue = ++q;
  int32_t an[8];
  int nValues = 0;
  for (;;) {
    if (nValues == 8 || !ValueHere(q, an[nValues])) return nullptr;
    ++nValues;
    if (*q == '\n') break;
    if (*q != ' ') return nullptr;
    ++q;
  }
  if (static_cast<size_t>(q - p) >= LINE_BUFFER - 1) return nullptr;
  m_pValuesHere = an;
  m_nValuesHere = nValues;
  ReadSetting(std::string_view(p, static_cast<size_t>(pValue - 1 - p)),
              std::string_view(pValue, static_cast<size_t>(q + 1 - pValue)));
  m_pValuesHere = nullptr;
  return q + 1;
}

// "Torch<N>=t1 t2 t3 t4": the first closed group N of the section takes the four values; a
// short value, or no such closed group, changes nothing and logs nothing.
void CBattleMapReader::ReadTorch(std::string_view key, std::string_view value) {
  int32_t nNumber =
      key.size() > 5 && key[5] >= '0' && key[5] <= '9' ? GroupNumber(key.substr(5)) : 0;
  int32_t anTorch[4];
  int nRead = Ints(value, anTorch, 4);
  if (nRead != 4) {
    if (ZorGameBase::LoadObserver() != nullptr) ObserveShort(key, value, nRead, 4);
    return;
  }
  for (FighterGroup& group : m_vecGroups) {
    if (group.nNumber == nNumber) {
      memcpy(group.nTorch, anTorch, sizeof(anTorch));
      return;
    }
  }
}

}  // namespace

void ReadBattleMapText(std::string_view text, const BattleMapTarget& target) {
  CBattleMapReader reader(target);
  ZorGameBase::CTextScan scan(text);
  const char* pEnd = scan.End();
  bool bHasZero = HasZero(text);
  // An observer hears of every line as a piece.
  bool bInPlace = ZorGameBase::LoadObserver() == nullptr && !text.empty() && text.back() == '\n';
  std::string_view piece;
  while (!scan.AtEnd()) {
    if (bInPlace) {
      const char* pNext = reader.ReadFighterPosHere(scan.Position(), pEnd);
      if (pNext == nullptr) pNext = reader.ReadSettingHere(scan.Position());
      if (pNext != nullptr) {
        scan.SetPosition(pNext);
        continue;
      }
    }
    scan.LinePiece(piece, LINE_BUFFER, bHasZero);
    reader.ReadLine(piece);
  }
  reader.CloseSection();
  target.mapBattleMap.EndLoad();
}

// Adds to what an earlier run loaded: sections replace maps of the same number. 0 when the
// file cannot be opened (nothing logged), else 1.
int32_t C3DRoleBaseData::CreateBattleMapInfo() {
  ZorGameBase::CFileImage image;
  if (!image.Read(BATTLE_MAP_FILE, true)) return 0;
  ReadBattleMapText(image.View(), BattleMapTarget{m_mapBattleMap, m_vecBattleViewPos,
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
  m_mapBattleMap.Clear();  // each map with its start positions and fighter groups
  m_vecBattleViewPos.clear();
}
