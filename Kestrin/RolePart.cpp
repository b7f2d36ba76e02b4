// Role part hiding (ini/RolePartHide.ini) and replacement (ini/RolePartReplace.ini). Both
// tables are rebuilt from their files by every load.
#include <cstring>
#include <string>
#include <string_view>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TableText.h"
#include "FieldNumbers.h"
#include "ZorIni.h"

namespace {

const char HIDE_FILE[] = "ini/RolePartHide.ini";
const char REPLACE_FILE[] = "ini/RolePartReplace.ini";
const size_t HIDE_LINE_BUFFER = 1024;  // fgets: 1023 characters a piece
const size_t PART_NAME_BUFFER = 128;   // a part name has at most 127 characters
const uint32_t ANY_FIRST_KEY = 999;

// k1 × 100000000000 in 64 bits, plus k2 × 10000000 and k3 × 1000 each wrapped to 32 bits, plus
// k4. Loader and query pack alike, so their wraps agree.
int64_t PackHideKey(uint32_t k1, uint32_t k2, uint32_t k3, uint32_t k4) {
  uint64_t nKey = static_cast<uint64_t>(k1) * 100000000000ull + uint32_t{k2 * 10000000u} +
                  uint32_t{k3 * 1000u} + k4;
  return static_cast<int64_t>(nKey);
}

// A header line "[k1.k2.k3.k4]" (its line break already cut); what follows k4 is ignored.
bool ScanHideHeader(std::string_view line, int64_t& nKey) {
  ZorGameBase::CTextScan scan(line);
  uint32_t k1, k2, k3, k4;
  CFormattedRead read(scan);
  read.Text("[").UInt32(k1).Text(".").UInt32(k2).Text(".").UInt32(k3).Text(".").UInt32(k4);
  if (read.Result() != 4) return false;
  nKey = PackHideKey(k1, k2, k3, k4);
  return true;
}

// The lines after a header, each read from where the one before ended:
//   SectionAmount=2
//   Section0=Head 10 20
//   Section1=Cloak 0 4294967295
// Adds the sections to the entry begun last, part names cut to 127 characters. False when
// SectionAmount= does not begin the next line or a Section line lacks one of its four values.
// bMayHoldZero: the image may hold a zero byte, where a name ends as the C string it is read into.
bool ReadHideSections(ZorGameBase::CTextScan& scan, bool bMayHoldZero, RolePartHideTable& table) {
  uint32_t nAmount;
  if (CFormattedRead(scan).Text("SectionAmount=").UInt32(nAmount).Space().Result() != 1) {
    return false;
  }
  for (uint32_t i = 0; i < nAmount; ++i) {
    uint32_t nIndex = 0, nFrom = 0, nTo = 0;
    std::string_view name;
    CFormattedRead read(scan);
    read.Text("Section").UInt32(nIndex).Text("=").Word(name).Space().UInt32(nFrom).Space();
    if (read.UInt32(nTo).Space().Result() != 4) return false;
    if (bMayHoldZero) name = ZorGameBase::CutAtNul(name);
    table.AddSection(name.substr(0, PART_NAME_BUFFER - 1), nFrom, nTo);
  }
  return true;
}

}  // namespace

// Entries "[k1.k2.k3.k4]" with their section lines; blank lines, ';' comments and other lines
// between entries are skipped. An entry whose lines are malformed is dropped and ends the
// reading; the entries before it stay.
int32_t C3DRoleBaseData::CreateRolePartHideInfo() {
  ReleaseRolePartHideInfo();
  ZorGameBase::CFileImage image;
  if (!image.Read(HIDE_FILE, true)) return 0;
  ZorGameBase::CTextScan scan(image.View());
  bool bHasZero = HasZero(image.View());
  std::string_view line;
  while (scan.LinePiece(line, HIDE_LINE_BUFFER, bHasZero)) {
    if (line.empty() || line[0] == ';') continue;
    line.remove_suffix(1);  // the line break, or the last character of a last line without one
    int64_t nKey;
    if (line.empty() || line[0] != '[' || !ScanHideHeader(line, nKey)) continue;
    // Without room for the entry, it is read past and not stored.
    const void* pInfo = m_mapRolePartHide.BeginEntry(nKey) ? this : nullptr;
    if (pInfo == nullptr) {
      ASSERT_AS(pInfo, 2529, SERVICE_SOURCE, "C3DRoleBaseData::CreateRolePartHideInfo");
    }
    bool bRead = ReadHideSections(scan, bHasZero, m_mapRolePartHide);
    m_mapRolePartHide.EndEntry(bRead);
    if (!bRead) {
      if (ZorGameBase::LoadObserver() != nullptr) {
        ObserveLine(ZorGameBase::RULE_LINE_IGNORED, HIDE_FILE, line,
                    "a section line of this entry is malformed; the client drops the entry and "
                    "stops reading the file");
      }
      break;
    }
  }
  m_mapRolePartHide.EndLoad();
  return 1;
}

// Lines of eleven numbers "key c2 c3 c4 c5 ... c11": key and c2 to c4 signed, the rest unsigned,
// each decimal or 0x hexadecimal. Answers 0 when the file cannot be opened; this is Create's
// answer. A malformed line (reported by the reader) ends the reading; the lines before stay.
int32_t C3DRoleBaseData::CreateRolePartReplaceInfo() {
  using namespace ZorGameBase;
  m_mapRolePartReplace.Clear();
  CZorIni ini;
  if (!ini.Open(REPLACE_FILE, false)) return 0;
  m_mapRolePartReplace.Reserve(RecordsHint(ini.GetImageSize(), LINE_HINT_BYTES));
  for (;;) {
    // A line of fewer numbers leaves the rest of its record 0.
    int32_t nKey = 0;
    RolePartReplaceInfo info{};
    // ReadFields with four INI_INT and seven INI_DWORD.
    if (!ReadNumberLine(ini, false, nKey, info.Field1, info.Field2, info.Field3, info.Field4,
                        info.Field5, info.Field6, info.Field8, info.Field9, info.Field10,
                        info.Field7)) {
      break;
    }
    m_mapRolePartReplace.Add(nKey, info);
  }
  m_mapRolePartReplace.EndLoad();
  return 1;
}

// True when the entry [k1.k2.k3.k4], or else [999.k2.k3.k4], names this part (exact bytes,
// case counts) with a range From..To that holds the value. An entry found without such a
// section answers false; there is no further fallback.
int32_t C3DRoleBaseData::IsRolePartHidden(uint32_t k1, uint32_t k2, uint32_t k3, uint32_t k4,
                                          uint32_t nValue, const char* pszPartName) {
  if (pszPartName == nullptr) return 0;
  size_t nCount = 0;
  const RolePartHideTable::Section* pSections =
      m_mapRolePartHide.Find(PackHideKey(k1, k2, k3, k4), nCount);
  if (pSections == nullptr) {
    pSections = m_mapRolePartHide.Find(PackHideKey(ANY_FIRST_KEY, k2, k3, k4), nCount);
  }
  if (pSections == nullptr) return 0;
  for (size_t i = 0; i < nCount; ++i) {
    const RolePartHideTable::Section& section = pSections[i];
    // Names compare as their bytes: GBK characters compared whole are equal exactly then.
    if (strcmp(section.pszName, pszPartName) == 0 && section.From <= nValue &&
        nValue <= section.To) {
      return 1;
    }
  }
  return 0;
}

// The replacement record of the key, or null.
const RolePartReplaceInfo* C3DRoleBaseData::GetRolePartReplaceInfo(int32_t nKey) {
  return m_mapRolePartReplace.Find(nKey);
}

void C3DRoleBaseData::ReleaseRolePartHideInfo() { m_mapRolePartHide.Clear(); }
