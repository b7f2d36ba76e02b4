// The region list: one RegionInfo per record of ini/region.ini, in file order.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "ScanDecimals.h"
#include "TextScan.h"
#include "WorldReaders.h"
#include "ZorPlatform.h"

using ZorGameBase::CTextScan;
using ZorGameBase::DebugLog;

namespace {

const char REGION_FILE[] = "ini/region.ini";
const int REGION_FIELDS = 18;

// "%s" into a zero-terminated field; a longer word is cut to the field (the file format keeps
// names to 31, Text9 to 39 and Text18 to 255 characters).
template <size_t N>
bool ScanText(CTextScan& scan, char (&achField)[N]) {
  std::string_view word;
  if (!scan.Word(word)) return false;
  size_t nLength = word.size() < N - 1 ? word.size() : N - 1;
  std::memcpy(achField, word.data(), nLength);
  achField[nLength] = '\0';
  return true;
}

// The first nRead of the values into their fields; all of them, the usual case, without a loop.
template <typename T, size_t N>
void StoreFields(T* const (&apField)[N], const T (&anValue)[N], int nRead) {
  if (nRead == static_cast<int>(N)) {
    for (size_t i = 0; i < N; ++i) *apField[i] = anValue[i];
    return;
  }
  for (int i = 0; i < nRead; ++i) *apField[i] = anValue[i];
}

// Records "%u %u %u %u %u %u %u %s %s %u %u %u %u %d %d %d %d %s\n", e.g.
//   1001 7 3 4 5 6 7 Northwind Valley 10 11 12 13 -14 15 16 17 Gate_of_the_north
// Line breaks are blanks: a record may span lines, a line may hold several records. Answers
// the number of fields read, or EOF when only white space is left; the scan stops behind the
// last field read. kBounded as for ScanDecimals.
template <bool kBounded>
int ScanRegion(CTextScan& scan, RegionInfo& info) {
  scan.SkipSpace();
  if (scan.AtEnd()) return EOF;
  const char* p = scan.Position();
  uint32_t anFirst[7] = {};
  int nFields = ScanDecimals<kBounded>(p, scan.End(), anFirst, 7);
  uint32_t* const apFirst[7] = {&info.Id,     &info.SecondId, &info.Value3, &info.Value4,
                                &info.Value5, &info.Value6,   &info.Value7};
  StoreFields(apFirst, anFirst, nFields);
  scan.SetPosition(p);
  if (nFields < 7) return nFields;
  if (!ScanText(scan, info.Name)) return nFields;
  ++nFields;
  if (!ScanText(scan, info.Text9)) return nFields;
  ++nFields;
  p = scan.Position();
  uint32_t anValue[4] = {};
  int nRead = ScanDecimals<kBounded>(p, scan.End(), anValue, 4);
  uint32_t* const apValue[4] = {&info.Value10, &info.Value11, &info.Value12, &info.Value13};
  StoreFields(apValue, anValue, nRead);
  nFields += nRead;
  if (nRead == 4) {
    int32_t anSigned[4] = {};
    nRead = ScanDecimals<kBounded>(p, scan.End(), anSigned, 4);
    int32_t* const apSigned[4] = {&info.Signed14, &info.Signed15, &info.Signed16, &info.Signed17};
    StoreFields(apSigned, anSigned, nRead);
    nFields += nRead;
  }
  scan.SetPosition(p);
  if (nFields < 17) return nFields;
  if (!ScanText(scan, info.Text18)) return nFields;
  scan.SkipSpace();
  return nFields + 1;
}

}  // namespace

void ReadRegionRecords(const char* pBegin, const char* pEnd, const char* pszFile,
                       RegionList& list) {
  // Room for one record a line, as the files are written, but not for more records than the
  // text could hold.
  size_t nLines = 1;
  for (const char* p = pBegin;
       p < pEnd && (p = static_cast<const char*>(std::memchr(p, '\n', pEnd - p))) != nullptr; ++p)
    ++nLines;
  size_t nMost = static_cast<size_t>(pEnd - pBegin) / 18 + 1;
  list.reserve(list.size() + (nLines < nMost ? nLines : nMost));
  ZorPlatform::AdviseLargePages(list.data() + list.size(), (list.capacity() - list.size()) * sizeof(RegionInfo));
  CTextScan scan(pBegin, pEnd);
  RegionInfo info{};
  int nFields;
  const char* pRecord = scan.Position();
  bool bBounded = !ZorGameBase::StopsEveryNumber(std::string_view(pBegin, static_cast<size_t>(pEnd - pBegin)));
  while ((nFields = bBounded ? ScanRegion<true>(scan, info) : ScanRegion<false>(scan, info)) != EOF) {
    if (nFields == REGION_FIELDS) {
      list.push_back(info);
      pRecord = scan.Position();
      continue;
    }
    DebugLog("invalid line found in %s, line %d, data %d.", pszFile, static_cast<int>(list.size()),
             nFields);
    if (ZorGameBase::LoadObserver() != nullptr) {
      while (pRecord < pEnd && ZorGameBase::IsScanSpace(*pRecord)) ++pRecord;
      ZorGameBase::ReportFinding(ZorGameBase::RULE_LINE_REJECTED, pszFile, pRecord,
                                 "the record has " + std::to_string(nFields) + " of 18 fields; the client drops it",
                                 true);
    }
    // A short record stopped either at the end of the file or at text in a numeric column.
    // That word is skipped, so that the next record starts behind it and the reading always
    // reaches the end of the file.
    std::string_view word;
    scan.Word(word);
    pRecord = scan.Position();
  }
}

// Replaces the list; without the file it stays empty.
int32_t C3DRoleBaseData::CreateRegionInfo() {
  m_vecRegion.clear();
  m_indexRegionById.Clear();
  m_indexRegionBySecondId.Clear();
  ZorGameBase::CFileImage image;
  if (!image.Read(REGION_FILE, true)) {
    DebugLog("error on open %s.", REGION_FILE);
    return 0;
  }
  ReadRegionRecords(image.Data(), image.Data() + image.Size(), REGION_FILE, m_vecRegion);
  m_indexRegionById.Build(m_vecRegion, [](const RegionInfo& info) { return info.Id; });
  m_indexRegionBySecondId.Build(m_vecRegion, [](const RegionInfo& info) { return info.SecondId; });
  return 1;
}

// The first record in file order with this SecondId; null when there is none.
const RegionInfo* C3DRoleBaseData::GetRegionInfo(uint32_t nSecondId) {
  int64_t nAt = m_indexRegionBySecondId.Find(nSecondId);
  return nAt < 0 ? nullptr : &m_vecRegion[static_cast<size_t>(nAt)];
}

// The list itself, in file order; empty before a load or without the file.
const RegionList* C3DRoleBaseData::GetRegionList() { return &m_vecRegion; }

// Name of the first record in file order with this Id; null when there is none.
const char* C3DRoleBaseData::GetRegionName(uint32_t nId) {
  int64_t nAt = m_indexRegionById.Find(nId);
  return nAt < 0 ? nullptr : m_vecRegion[static_cast<size_t>(nAt)].Name;
}
