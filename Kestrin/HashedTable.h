#pragma once
// A table for lookups only: the values lie in one dense array in the order of their first
// insertion, found through an open-addressing index of (key, position) slots probed linearly.
// The index is kept at most half full, so a lookup touches one or two slots on average, hit or
// miss, and never allocates. Values move while the table grows, so pointers into it hold only
// until the next insertion; the tables are filled while loading and read afterwards.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Hashes of the table keys: packed numbers and names.
struct TableKeyHash {
  uint64_t operator()(uint64_t nKey) const { return nKey; }
  uint64_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

template <typename Key, typename Value, typename Hash = TableKeyHash>
class CHashedTable {
 public:
  // The value under the key, or null.
  template <typename Lookup>
  const Value* Find(const Lookup& key) const {
    if (m_values.empty()) return nullptr;
    size_t nMask = m_slots.size() - 1;
    for (size_t i = Home(key);; i = (i + 1) & nMask) {
      const Slot& slot = m_slots[i];
      if (slot.nEntry == 0) return nullptr;
      if (slot.key == key) return &m_values[slot.nEntry - 1];
    }
  }

  // The value under the key; a default value is entered first when the key is missing, and
  // *pInserted (when given) tells whether that happened.
  Value& FindOrAdd(Key key, bool* pInserted = nullptr) {
    if ((m_values.size() + 1) * 2 > m_slots.size()) Grow(m_values.size() + 1);
    size_t nMask = m_slots.size() - 1;
    size_t i = Home(key);
    for (; m_slots[i].nEntry != 0; i = (i + 1) & nMask) {
      if (m_slots[i].key == key) {
        if (pInserted != nullptr) *pInserted = false;
        return m_values[m_slots[i].nEntry - 1];
      }
    }
    m_values.emplace_back();
    m_slots[i].key = std::move(key);
    m_slots[i].nEntry = static_cast<uint32_t>(m_values.size());
    if (pInserted != nullptr) *pInserted = true;
    return m_values.back();
  }

  // Room for nCount entries in all without growing again.
  void Reserve(size_t nCount) {
    if (nCount * 2 > m_slots.size()) Grow(nCount);
    m_values.reserve(nCount);
  }

  size_t Size() const { return m_values.size(); }
  bool Empty() const { return m_values.empty(); }
  void Clear() {
    m_slots.clear();
    m_values.clear();
    m_nShift = 64;
  }
  // The values in the order their keys were first entered.
  const std::vector<Value>& Values() const { return m_values; }

 private:
  struct Slot {
    Key key{};
    uint32_t nEntry = 0;  // position in m_values + 1; 0 marks a free slot
  };

  // Fibonacci hashing: the high bits of the product spread packed decimal keys evenly.
  template <typename Lookup>
  size_t Home(const Lookup& key) const {
    return static_cast<size_t>((Hash()(key) * 0x9E3779B97F4A7C15ull) >> m_nShift);
  }

  // Rebuilds the index with room for nCount entries at most half full.
  void Grow(size_t nCount) {
    size_t nSize = m_slots.empty() ? 16 : m_slots.size() * 2;
    while (nSize < nCount * 2) nSize *= 2;
    std::vector<Slot> old(nSize);
    old.swap(m_slots);
    m_nShift = 64;
    for (size_t n = nSize; n > 1; n >>= 1) --m_nShift;
    size_t nMask = nSize - 1;
    for (Slot& slot : old) {
      if (slot.nEntry == 0) continue;
      size_t i = Home(slot.key);
      while (m_slots[i].nEntry != 0) i = (i + 1) & nMask;
      m_slots[i] = std::move(slot);
    }
  }

  std::vector<Slot> m_slots;  // size 0 or a power of two
  std::vector<Value> m_values;
  int m_nShift = 64;
};
