// The first-match index behind the world map queries, against a plain walk of the list.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "WorldTables.h"

namespace {

// The position a walk from the front finds, or -1.
int64_t Walk(const std::vector<uint32_t>& keys, uint32_t nKey) {
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == nKey) return static_cast<int64_t>(i);
  }
  return -1;
}

TEST(WorldIndexTest, FindsWhatAWalkFromTheFrontFinds) {
  // Sizes around the table's growth steps; keys with duplicates, zero, the largest value and
  // multiples of large powers of two, which crowd into few home slots.
  for (size_t nCount : {0u, 1u, 4u, 5u, 8u, 9u, 1000u, 5000u}) {
    std::vector<uint32_t> keys;
    uint32_t nRandom = 7;
    for (size_t i = 0; i < nCount; ++i) {
      nRandom = nRandom * 1103515245u + 12345u;
      const uint32_t aChoices[] = {static_cast<uint32_t>(i) << 20, nRandom % 64,
                                   0xFFFFFFFFu - static_cast<uint32_t>(i % 3), nRandom};
      keys.push_back(aChoices[i % 4]);
    }
    CFirstIndex index;
    index.Build(keys, [](uint32_t nKey) { return nKey; });
    std::vector<uint32_t> probes = keys;
    for (uint32_t n = 0; n < 200; ++n) probes.push_back(n * 0x01000193u);
    for (uint32_t nKey : probes)
      ASSERT_EQ(Walk(keys, nKey), index.Find(nKey)) << nCount << " " << nKey;
  }
}

}  // namespace
