#pragma once
// The one probe of the open-addressing indexes (the tables' keyed index and the ini reader's
// key index): slots in a power-of-two array, a key at the first slot from its home that either
// is free or already holds it.

#include <cstddef>

namespace ZorGameBase {

// The slot of a key whose home is nHome among nMask + 1 slots: the first from home for which
// fnFree(i) or fnHolds(i) is true. The index must keep a free slot.
template <typename IsFree, typename Holds>
size_t ProbeSlot(size_t nHome, size_t nMask, const IsFree& fnFree, const Holds& fnHolds) {
  size_t i = nHome & nMask;
  while (!fnFree(i) && !fnHolds(i)) i = (i + 1) & nMask;
  return i;
}

}  // namespace ZorGameBase
