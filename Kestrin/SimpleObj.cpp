// Simple objects of ini/SimpleObjInfo.ini: a stream of blank-separated words in which each
// record starts with a word "[id]". The first record of an identifier stays, also over a
// second load.
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TableText.h"

namespace {

const char SIMPLE_OBJ_FILE[] = "ini/SimpleObjInfo.ini";

// A word "[%u]": '[' and a number; what follows the number is not looked at. bMayHoldZero:
// the image may hold a zero byte, where the word ends as the C string it is read into.
bool ScanRecordId(std::string_view word, bool bMayHoldZero, uint32_t& nId) {
  if (bMayHoldZero) word = ZorGameBase::CutAtNul(word);
  ZorGameBase::CTextScan scan(word);
  return CFormattedRead(scan).Text("[").UInt32(nId).Result() == 1;
}

// fscanf's verdict: a read that met the end of the file counts as matched.
bool Failed(const CFormattedRead& read) { return read.Result() == 0; }

// The lines of one record, each at the next non-blank position:
//   SimpleObj=12  Scale=1.5  MotionAmount=2  Motion0=100001  Motion1=100002
// False when a line is misspelt, out of order or missing before the end of the file.
bool ReadSimpleObj(ZorGameBase::CTextScan& scan, SimpleObjInfo& info) {
  bool bFailed = Failed(CFormattedRead(scan).Text("SimpleObj=").UInt32(info.SimpleObj).Space());
  bFailed |= Failed(CFormattedRead(scan).Text("Scale=").Float(info.Scale).Space());
  uint32_t nAmount = 0;
  CFormattedRead amount(scan);
  amount.Text("MotionAmount=").UInt32(nAmount).Space();
  bFailed |= Failed(amount);
  if (amount.Result() != 1) return !bFailed;
  // Motion lines carry 0, 1, 2, ... in this order. A motion line cut off by the end of the
  // file adds nothing, and none can follow it. (Room for the usual few motions at once.)
  info.Motions.reserve(nAmount < 16 ? nAmount : 16);
  char szKey[32] = "Motion";
  for (uint32_t i = 0; i < nAmount; ++i) {
    char* pEnd = std::to_chars(szKey + 6, szKey + sizeof(szKey) - 2, i).ptr;
    *pEnd++ = '=';
    int64_t nMotion = 0;
    CFormattedRead motion(scan);
    motion.Text(std::string_view(szKey, static_cast<size_t>(pEnd - szKey))).Int64(nMotion).Space();
    if (motion.Result() != 1) {
      bFailed |= Failed(motion);
      break;
    }
    info.Motions.push_back(nMotion);
  }
  return !bFailed;
}

// p moved behind the text that stands at p, or null when another text does (pEnd: the image's
// end).
template <size_t N>
const char* AfterText(const char* p, const char* pEnd, const char (&szText)[N]) {
  if (static_cast<size_t>(pEnd - p) < N - 1 || memcmp(p, szText, N - 1) != 0) return nullptr;
  return p + N - 1;
}

// "%d" (also "%u", "%I64d") of a number right at p, then the white space after it: p moved
// behind that, or null without a number.
const char* AfterNumber(const char* p, uint64_t& nValue) {
  if (p == nullptr || !ZorGameBase::DecimalHere(p, ZorGameBase::IMAGE_END, nValue)) return nullptr;
  while (ZorGameBase::IsScanSpace(*p)) ++p;
  return p;
}

// "Motion<i>=" at p, i written as std::to_chars writes it (no sign, no leading zero): p moved
// behind it, or null.
const char* AfterMotionKey(const char* p, const char* pEnd, uint32_t i) {
  if ((p = AfterText(p, pEnd, "Motion")) == nullptr) return nullptr;
  uint64_t nNumber = 0;
  const char* pDigits = p;
  p = ZorGameBase::AccumulateDigits(p, ZorGameBase::IMAGE_END, nNumber);
  size_t nDigits = static_cast<size_t>(p - pDigits);
  // At most ten digits, which cannot wrap.
  if (nDigits == 0 || nDigits > 10 || (*pDigits == '0' && nDigits > 1) || nNumber != i || *p != '=') return nullptr;
  return p + 1;
}

// A record in its usual form read where it stands, at its "[id]" word: each number right behind
// its '=' (the scale as ShortFloatHere reads it), each key where ReadSimpleObj expects it. The
// motions gather in vecMotions. Answers where the white space after the record ends, or null when
// anything differs, and ReadSimpleObj reads the record to the same effect. The image ends in a
// zero byte, which stops every run read here; it must hold no other.
const char* ReadUsualRecord(const char* p, const char* pEnd, uint32_t& nId, uint32_t& nSimpleObj,
                            float& fScale, std::vector<int64_t>& vecMotions) {
  uint64_t nValue;
  if (*p != '[' || !ZorGameBase::DecimalHere(++p, ZorGameBase::IMAGE_END, nValue) || *p != ']' ||
      !ZorGameBase::IsScanSpace(p[1])) {
    return nullptr;
  }
  nId = static_cast<uint32_t>(nValue);
  p += 2;
  while (ZorGameBase::IsScanSpace(*p)) ++p;
  if ((p = AfterNumber(AfterText(p, pEnd, "SimpleObj="), nValue)) == nullptr) return nullptr;
  nSimpleObj = static_cast<uint32_t>(nValue);
  if ((p = AfterText(p, pEnd, "Scale=")) == nullptr || !ShortFloatHere(p, ZorGameBase::IMAGE_END, fScale)) {
    return nullptr;
  }
  while (ZorGameBase::IsScanSpace(*p)) ++p;
  if ((p = AfterNumber(AfterText(p, pEnd, "MotionAmount="), nValue)) == nullptr) return nullptr;
  uint32_t nAmount = static_cast<uint32_t>(nValue);
  vecMotions.clear();
  for (uint32_t i = 0; i < nAmount; ++i) {
    if ((p = AfterNumber(AfterMotionKey(p, pEnd, i), nValue)) == nullptr) return nullptr;
    vecMotions.push_back(static_cast<int64_t>(nValue));
  }
  return p;
}

}  // namespace

// Reads records until the file ends or a record is bad; a bad record ends the reading and
// is logged with its identifier.
int32_t C3DRoleBaseData::CreateSimpleObjInfo() {
  ZorGameBase::CFileImage image;
  if (!image.Read(SIMPLE_OBJ_FILE, true)) {
    ZorGameBase::DebugLog("error on open %s.", SIMPLE_OBJ_FILE);
    return 0;
  }
  m_mapSimpleObj.Reserve(RecordsHint(image.Size(), SECTION_HINT_BYTES));
  ZorGameBase::CTextScan scan(image.View());
  bool bHasZero = HasZero(image.View());
  const char* pEnd = scan.End();
  std::vector<int64_t> vecMotions;  // of the record read in place
  std::string_view word;
  for (;;) {
    if (!bHasZero) {
      const char* p = scan.Position();
      while (ZorGameBase::IsScanSpace(*p)) ++p;
      uint32_t nId, nSimpleObj;
      float fScale;
      if (const char* pNext = ReadUsualRecord(p, pEnd, nId, nSimpleObj, fScale, vecMotions)) {
        SimpleObjInfo& info = m_mapSimpleObj.Add(nId);
        info.SimpleObj = nSimpleObj;
        info.Scale = fScale;
        info.Motions.assign(vecMotions.begin(), vecMotions.end());
        scan.SetPosition(pNext);
        continue;
      }
    }
    if (!scan.Word(word)) break;
    scan.SkipSpace();
    uint32_t nId;
    if (!ScanRecordId(word, bHasZero, nId)) continue;  // words between records
    SimpleObjInfo& info = m_mapSimpleObj.Add(nId);
    if (!ReadSimpleObj(scan, info)) {
      m_mapSimpleObj.DropAdded();
      ZorGameBase::DebugLog("error data: %u of %s", nId, SIMPLE_OBJ_FILE);
      if (ZorGameBase::LoadObserver() != nullptr) {
        ObserveLine(ZorGameBase::RULE_LINE_REJECTED, SIMPLE_OBJ_FILE, word,
                    "the record's lines do not read; the client drops it and stops reading the file", true);
      }
      break;
    }
  }
  m_mapSimpleObj.EndLoad();
  return 1;
}

// The simple object of this identifier, or null.
const SimpleObjInfo* C3DRoleBaseData::GetSimpleObjInfo(uint32_t nId) {
  return m_mapSimpleObj.Find(nId);
}

void C3DRoleBaseData::ReleaseSimpleObjInfo() { m_mapSimpleObj.Clear(); }
