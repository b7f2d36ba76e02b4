#pragma once
// Containers of the game map catalogue, the regions and the terrain NPCs.
#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "I3DRoleBaseData.h"

// Ordered by map id: the catalogue is enumerated in id order, and a record keeps its address
// when later sections of a second load are added.
using GameMapTable = std::map<uint32_t, GameMapInfo>;
using TerrainNpcList = std::vector<TerrainNpcInfo>;

// Where the first entry of each key sits in a list kept in file order, so that a first-match
// query is a binary search over eight-byte pairs instead of a walk over the records.
class CFirstIndex {
 public:
  // Indexes list[0, size) by keyOf(entry); ties go to the earliest entry.
  template <typename List, typename KeyOf>
  void Build(const List& list, KeyOf keyOf) {
    m_vecEntries.clear();
    m_vecEntries.reserve(list.size());
    for (uint32_t i = 0; i < list.size(); ++i) m_vecEntries.emplace_back(keyOf(list[i]), i);
    std::sort(m_vecEntries.begin(), m_vecEntries.end());  // by key, then by position
    m_vecEntries.erase(std::unique(m_vecEntries.begin(), m_vecEntries.end(),
                                   [](const Entry& a, const Entry& b) { return a.first == b.first; }),
                       m_vecEntries.end());
  }
  void Clear() { m_vecEntries.clear(); }
  // Position of the first entry with the key; -1 when there is none.
  int64_t Find(uint32_t nKey) const {
    auto it = std::lower_bound(m_vecEntries.begin(), m_vecEntries.end(), nKey,
                               [](const Entry& entry, uint32_t key) { return entry.first < key; });
    return it != m_vecEntries.end() && it->first == nKey ? static_cast<int64_t>(it->second) : -1;
  }

 private:
  using Entry = std::pair<uint32_t, uint32_t>;  // key, position
  std::vector<Entry> m_vecEntries;
};
