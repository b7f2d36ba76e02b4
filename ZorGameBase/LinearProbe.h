#pragma once
// The one probe of the open-addressing indexes (the tables' keyed index and the ini reader's
// key index): a key at the first slot from its home that either is free or already holds it.

#include <cstddef>

namespace ZorGameBase {

// The slot of a key whose home is nHome among nMask + 1 slots (a power of two): the first from
// home for which fnFree(i) or fnHolds(i) is true. The index must keep a free slot.
template <typename IsFree, typename Holds>
size_t ProbeSlot(size_t nHome, size_t nMask, const IsFree& fnFree, const Holds& fnHolds) {
  size_t i = nHome & nMask;
  while (!fnFree(i) && !fnHolds(i)) i = (i + 1) & nMask;
  return i;
}

// The same among nCount slots, any count: past the last slot the probe goes on at the first.
template <typename IsFree, typename Holds>
size_t ProbeSlotWrapping(size_t nHome, size_t nCount, const IsFree& fnFree, const Holds& fnHolds) {
  size_t i = nHome;
  while (!fnFree(i) && !fnHolds(i)) {
    if (++i == nCount) i = 0;
  }
  return i;
}

}  // namespace ZorGameBase
