#pragma once
// Containers of the game map catalogue, the regions and the terrain NPCs.
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "I3DRoleBaseData.h"

// Ordered by map id: the catalogue is enumerated in id order, and a record keeps its address
// when later sections of a second load are added.
using GameMapTable = std::map<uint32_t, GameMapInfo>;
using TerrainNpcList = std::vector<TerrainNpcInfo>;

// A hash index from a 32-bit key to the first value added under it, for the single-key
// queries: one multiply and, mostly, one probe, with no allocation. Open addressing with linear
// probing, at most half full. Rebuilt whole by the loaders; the values point into the tables.
template <typename Value>
class CKeyIndex {
 public:
  // Starts over, with room for nCount keys.
  void Reset(size_t nCount) {
    size_t nSlots = 8;
    while (nSlots < nCount * 2) nSlots *= 2;
    m_vecSlots.assign(nSlots, Slot{});
    m_nShift = 32;
    for (size_t n = nSlots; n > 1; n /= 2) --m_nShift;
  }
  void Clear() { m_vecSlots.clear(); }
  // Adds the key unless it is there already: the first value added under a key stays.
  void Add(uint32_t nKey, Value value) {
    size_t nMask = m_vecSlots.size() - 1;
    for (size_t i = Home(nKey);; i = (i + 1) & nMask) {
      Slot& slot = m_vecSlots[i];
      if (!slot.bUsed) {
        slot = Slot{nKey, true, value};
        return;
      }
      if (slot.nKey == nKey) return;
    }
  }
  // The value of the key; false when it was never added.
  bool Find(uint32_t nKey, Value& value) const {
    if (m_vecSlots.empty()) return false;
    size_t nMask = m_vecSlots.size() - 1;
    for (size_t i = Home(nKey);; i = (i + 1) & nMask) {
      const Slot& slot = m_vecSlots[i];
      if (!slot.bUsed) return false;
      if (slot.nKey == nKey) {
        value = slot.value;
        return true;
      }
    }
  }

 private:
  struct Slot {
    uint32_t nKey = 0;
    bool bUsed = false;
    Value value{};
  };
  size_t Home(uint32_t nKey) const { return (nKey * 0x9E3779B1u) >> m_nShift; }

  std::vector<Slot> m_vecSlots;  // a power of two, or empty
  unsigned m_nShift = 32;
};

// Position of the first entry of each key in a list kept in file order.
class CFirstIndex {
 public:
  template <typename List, typename KeyOf>
  void Build(const List& list, KeyOf keyOf) {
    m_index.Reset(list.size());
    for (uint32_t i = 0; i < list.size(); ++i) m_index.Add(keyOf(list[i]), i);
  }
  void Clear() { m_index.Clear(); }
  // Position of the first entry with the key; -1 when there is none.
  int64_t Find(uint32_t nKey) const {
    uint32_t nPosition;
    return m_index.Find(nKey, nPosition) ? static_cast<int64_t>(nPosition) : -1;
  }

 private:
  CKeyIndex<uint32_t> m_index;
};
