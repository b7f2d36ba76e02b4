#pragma once
// Containers of the NPC, part hiding and replacement, scale, weapon and simple object tables.
#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

#include "HashedTable.h"
#include "I3DRoleBaseData.h"
#include "ZorString.h"

// Records under their signed type (the record's Id), answered by type; an absent type is
// answered with the record of the smallest type. Only that smallest type is ever needed, never
// an order, so the table is hashed and keeps track of its smallest type. A record keeps its
// address when later records are added or replace it.
template <typename Record>
class CTypeTable {
 public:
  // The record of the type; the one of the smallest type when absent; null when empty.
  const Record* FindOrSmallest(int32_t nType) const {
    const Record* pRecord = m_table.Find(nType);
    return pRecord != nullptr ? pRecord : m_pSmallest;
  }
  // A load appends its records in file order, filled in place (a bad one taken back), then
  // enters them: a later record of a type replaces the earlier one in place.
  Record& Append(int32_t nType) { return m_table.Append(nType); }
  // Room for about nCount records, before the first load.
  void Reserve(size_t nCount) { m_table.Reserve(nCount); }
  void DropAppended() { m_table.DropAppended(); }
  void CancelLoad() { m_table.DropAllAppended(); }
  void EndLoad() {
    size_t nBefore = m_table.Size();
    m_table.IndexAppended([](Record& kept, Record& appended) { kept = appended; });
    for (size_t i = nBefore; i < m_table.Size(); ++i) {
      const Record& record = m_table.ValueAt(i);
      if (m_pSmallest == nullptr || record.Id < m_pSmallest->Id) m_pSmallest = &record;
    }
  }
  size_t Size() const { return m_table.Size(); }
  const Record& RecordAt(size_t i) const { return m_table.EntryAt(i).value; }

 private:
  CHashedTable<int32_t, Record> m_table;
  const Record* m_pSmallest = nullptr;
};
using NpcTable = CTypeTable<NpcInfo>;
using NpcStarLookTable = CTypeTable<NpcStarLookInfo>;
// The entries of ini/RolePartHide.ini: under the composite key k1 × 100000000000 +
// k2 × 10000000 + k3 × 1000 + k4, the named parts of the entry in file order, each hidden while
// the client's value lies in From..To. The names are in one arena; the table is rebuilt by
// every load, and of two entries of one key the later stands.
class CRolePartHideTable {
 public:
  struct Section {
    const char* pszName;
    uint32_t From;
    uint32_t To;
  };
  // The sections of the key (nCount of them at the result; none for an entry without
  // sections), or null when no entry has the key.
  const Section* Find(int64_t nKey, size_t& nCount) const {
    const Range* pRange = m_table.Find(nKey);
    if (pRange == nullptr) return nullptr;
    nCount = pRange->nCount;
    return m_vecSections.data() + pRange->nFirst;
  }
  // A load: BeginEntry, the entry's sections, EndEntry; then EndLoad. BeginEntry answers false
  // when there is no room for the entry: its sections are then passed over.
  bool BeginEntry(int64_t nKey) {
    m_nEntryStart = m_vecSections.size();
    try {
      m_pOpen = &m_table.Add(nKey);
    } catch (const std::bad_alloc&) {
      m_pOpen = nullptr;
    }
    return m_pOpen != nullptr;
  }
  void AddSection(std::string_view name, uint32_t nFrom, uint32_t nTo) {
    if (m_pOpen != nullptr) m_vecSections.push_back(Section{m_names.Add(name), nFrom, nTo});
  }
  // Keeps the entry begun last with its sections, or (bKeep false) takes it back.
  void EndEntry(bool bKeep) {
    if (m_pOpen == nullptr) return;
    if (bKeep) {
      *m_pOpen = Range{static_cast<uint32_t>(m_nEntryStart),
                       static_cast<uint32_t>(m_vecSections.size() - m_nEntryStart)};
    } else {
      m_table.DropAdded();
      m_vecSections.resize(m_nEntryStart);
    }
    m_pOpen = nullptr;
  }
  void EndLoad() { m_table.EndLoad(); }
  size_t Size() const { return m_table.Size(); }
  int64_t KeyAt(size_t i) const { return m_table.KeyAt(i); }
  // Takes back the entries of a load that cannot go on.
  void CancelLoad() {
    m_table.CancelLoad();
    m_pOpen = nullptr;
  }
  void Clear() {
    m_table.Clear();
    m_vecSections.clear();
    m_vecSections.shrink_to_fit();
    m_names.Clear();
  }

 private:
  struct Range {
    uint32_t nFirst;  // in m_vecSections
    uint32_t nCount;
  };
  CLookupTable<int64_t, Range> m_table;
  std::vector<Section> m_vecSections;
  CNameArena m_names;
  Range* m_pOpen = nullptr;  // the entry being read
  size_t m_nEntryStart = 0;
};
using RolePartHideTable = CRolePartHideTable;
// Keys packed in signed 32 bits (A × 1000 + B, A × 1000000 + B, or the look itself).
using ScaleTable = CLookupTable<int32_t, float>;
// The listed looks; each maps to itself.
using LookSet = CLookupTable<int32_t, int32_t>;
using WeaponTable = CLookupTable<uint32_t, uint32_t>;
// The first record of an identifier stands.
using SimpleObjTable = CLookupTable<uint32_t, SimpleObjInfo, true>;
using RolePartReplaceTable = CLookupTable<int32_t, RolePartReplaceInfo>;
