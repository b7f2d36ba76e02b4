// Role traces of ini/RoleTrace.ini: five numbers per packed key, in file order, duplicates kept.
#include <algorithm>

#include "3DRoleBaseData.h"
#include "TableText.h"
#include "FieldNumbers.h"
#include "ZorIni.h"
#include "ZorPlatform.h"

using ZorGameBase::CZorIni;

namespace {

const char ROLE_TRACE_FILE[] = "ini/RoleTrace.ini";
// Records reserved at most before the file is read (a larger file grows the list as it goes).
const size_t ROLE_TRACE_MOST_RESERVED = size_t{1} << 20;

// The key with 999 in its middle field: (key / 10000000) * 10000000 + 9990000 + key % 10000,
// the quotient and the sum taken modulo 2^32 and the result read as a signed 32-bit number:
// a key whose fallback passes 2^31 - 1 falls back to a negative key.
int64_t RoleTraceFallbackKey(int64_t nKey) {
  uint32_t nQuotient = static_cast<uint32_t>(nKey / 10000000);
  uint32_t nRest = static_cast<uint32_t>(nKey % 10000);
  uint32_t nSum = nQuotient * 10000000u + 9990000u + nRest;
  return static_cast<int32_t>(nSum);
}

}  // namespace

// Lines "key field2 field3 field4 field5 field6", e.g. 10020003 1 20 30 40 0.5; comment and
// empty lines skipped. A line with fewer than six fields ends the table there (the reader logs
// "ini/RoleTrace.ini file format wrong!"). 0 only when the file cannot be opened.
int32_t C3DRoleBaseData::CreateRoleTraceInfo() {
  m_vecRoleTrace.clear();
  m_indexRoleTrace.Clear();
  CZorIni ini;
  if (!ini.Open(ROLE_TRACE_FILE, false)) return 0;
  size_t nHint = std::min(RecordsHint(ini.GetImageSize(), LINE_HINT_BYTES), ROLE_TRACE_MOST_RESERVED);
  m_vecRoleTrace.reserve(nHint);
  ZorPlatform::AdviseLargePages(m_vecRoleTrace.data(), m_vecRoleTrace.capacity() * sizeof(RoleTraceInfo));
  m_indexRoleTrace.Reserve(nHint);
  RoleTraceInfo info{};
  // ReadFieldSet with INI_INT64, INI_INT, three INI_DWORD and INI_FLOAT.
  while (ZorGameBase::ReadNumberLine(ini, true, info.Key, info.Field2, info.Field3, info.Field4,
                                     info.Field5, info.Field6)) {
    m_indexRoleTrace.Add(info.Key, static_cast<uint32_t>(m_vecRoleTrace.size()));
    m_vecRoleTrace.push_back(info);
  }
  m_indexRoleTrace.EndLoad();  // the last record of a key stands
  ZorPlatform::ReleasePages(m_vecRoleTrace.data() + m_vecRoleTrace.size(),
                            (m_vecRoleTrace.capacity() - m_vecRoleTrace.size()) * sizeof(RoleTraceInfo));
  return 1;
}

// The last record of the key in file order; else the last record of the key with 999 in its
// middle field; else null.
const RoleTraceInfo* C3DRoleBaseData::GetRoleTraceInfo(int64_t nKey) {
  if (m_vecRoleTrace.empty()) return nullptr;
  const uint32_t* pPosition = m_indexRoleTrace.Find(nKey);
  if (pPosition == nullptr) pPosition = m_indexRoleTrace.Find(RoleTraceFallbackKey(nKey));
  if (pPosition == nullptr) return nullptr;
  return &m_vecRoleTrace[static_cast<int>(*pPosition)];  // a position of the list, so in range
}
