// Simple objects of ini/SimpleObjInfo.ini: a stream of blank-separated words in which each
// record starts with a word "[id]". The first record of an identifier stays, also over a
// second load.
#include <charconv>
#include <string>
#include <string_view>

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
  std::string_view word;
  while (scan.Word(word)) {
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
