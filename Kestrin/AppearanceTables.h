#pragma once
// Containers of the NPC, part hiding and replacement, scale, weapon and simple object tables.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "I3DRoleBaseData.h"
#include "ZorString.h"

// Sorted (key, value) pairs, one per key, for tables that are only looked up: one block of
// memory, binary search, no allocation in a lookup. A loader adds its entries in file order
// and then seals the table; of entries with one key the last added stands, also over an entry
// of an earlier load.
template <typename TKey, typename TValue>
class CFlatTable {
 public:
  void Clear() {
    m_vecItems.clear();
    m_nSealed = 0;
  }
  void Add(TKey key, const TValue& value) { m_vecItems.emplace_back(key, value); }
  void Seal() {
    if (m_nSealed == m_vecItems.size()) return;
    auto ByKey = [](const Item& a, const Item& b) { return a.first < b.first; };
    auto itAdded = m_vecItems.begin() + static_cast<std::ptrdiff_t>(m_nSealed);
    // Files are mostly in key order already. Both steps keep equal keys in the order added.
    if (!std::is_sorted(itAdded, m_vecItems.end(), ByKey)) {
      std::stable_sort(itAdded, m_vecItems.end(), ByKey);
    }
    std::inplace_merge(m_vecItems.begin(), itAdded, m_vecItems.end(), ByKey);
    size_t nKept = 0;
    for (size_t i = 0; i < m_vecItems.size(); ++i) {
      if (i + 1 < m_vecItems.size() && m_vecItems[i + 1].first == m_vecItems[i].first) continue;
      if (nKept != i) m_vecItems[nKept] = m_vecItems[i];
      ++nKept;
    }
    m_vecItems.resize(nKept);
    // A file that repeats its keys gives back the room of the dropped entries.
    if (m_vecItems.capacity() / 2 > nKept) m_vecItems.shrink_to_fit();
    m_nSealed = nKept;
  }
  // The value under the key, or null. Stays valid until the table is changed.
  const TValue* Find(TKey key) const {
    auto it = std::lower_bound(m_vecItems.begin(), m_vecItems.begin() + m_nSealed, key,
                               [](const Item& item, TKey k) { return item.first < k; });
    return it != m_vecItems.begin() + m_nSealed && it->first == key ? &it->second : nullptr;
  }
  size_t Size() const { return m_nSealed; }

 private:
  using Item = std::pair<TKey, TValue>;
  std::vector<Item> m_vecItems;
  size_t m_nSealed = 0;  // items in order; the rest were added since the last Seal
};

// Ordered by signed type: an absent type falls back to the smallest one.
using NpcTable = std::map<int32_t, NpcInfo>;
using NpcStarLookTable = std::map<int32_t, NpcStarLookInfo>;
// One named part of ini/RolePartHide.ini, hidden while the client's value lies in From..To.
struct RolePartHideSection {
  ZorString::CZorString Name;
  uint32_t From;
  uint32_t To;
};
// The sections of one [k1.k2.k3.k4] entry in file order, owned by the table; keyed by the
// composite key k1 × 100000000000 + k2 × 10000000 + k3 × 1000 + k4.
using RolePartHideList = std::vector<RolePartHideSection>;
using RolePartHideTable = std::unordered_map<int64_t, std::unique_ptr<RolePartHideList>>;
// Keys packed in signed 32 bits (A × 1000 + B, A × 1000000 + B, or the look itself).
using ScaleTable = CFlatTable<int32_t, float>;
// The listed looks; each maps to itself.
using LookSet = CFlatTable<int32_t, int32_t>;
using WeaponTable = CFlatTable<uint32_t, uint32_t>;
// Records live in the nodes: a pointer handed out stays valid while others are added.
using SimpleObjTable = std::unordered_map<uint32_t, SimpleObjInfo>;
using RolePartReplaceTable = CFlatTable<int32_t, RolePartReplaceInfo>;
