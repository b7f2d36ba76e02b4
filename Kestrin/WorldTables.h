#pragma once
// Containers of the game map catalogue, the regions and the terrain NPCs.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "HashedTable.h"
#include "I3DRoleBaseData.h"

// Ordered by map id: the catalogue is enumerated in id order, and a record keeps its address
// when later sections of a second load are added.
using GameMapTable = std::map<uint32_t, GameMapInfo>;
// The catalogue's records by map id, for the lookups: one hash probe.
using GameMapIndex = CLookupTable<uint32_t, const GameMapInfo*>;
// In file order; a later load appends the records again, and the records handed out keep
// their addresses. The long direction texts of the records lie in the list's arena, which goes
// with the list.
class TerrainNpcList : public std::deque<TerrainNpcInfo> {
 public:
  CRecordTextArena& Texts() { return m_texts; }

 private:
  CRecordTextArena m_texts;
};

// Position of the first entry of each key in a list kept in file order: one hash probe for the
// queries that want the first entry of a key. Rebuilt whole by the loaders.
class CFirstIndex {
 public:
  template <typename List, typename KeyOf>
  void Build(const List& list, KeyOf keyOf) {
    m_index.Clear();
    for (uint32_t i = 0; i < list.size(); ++i) m_index.Add(keyOf(list[i]), i);
    m_index.EndLoad();
  }
  void Clear() { m_index.Clear(); }
  void CancelLoad() { m_index.CancelLoad(); }
  // Position of the first entry with the key; -1 when there is none.
  int64_t Find(uint32_t nKey) const {
    const uint32_t* pPosition = m_index.Find(nKey);
    return pPosition != nullptr ? static_cast<int64_t>(*pPosition) : -1;
  }

 private:
  CLookupTable<uint32_t, uint32_t, true> m_index;  // the first position of a key stands
};
