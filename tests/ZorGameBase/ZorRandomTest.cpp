// The classic runtime generator sequence, which enciphered files and sound picks rely on.
#include <gtest/gtest.h>

#include <thread>

#include "ZorRandom.h"

namespace {

using ZorGameBase::CZorRandom;

TEST(ZorRandomTest, SeedOneGivesTheKnownSequenceAndReseedingRepeatsIt) {
  const int aExpected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  CZorRandom random(1);
  for (int nExpected : aExpected) EXPECT_EQ(nExpected, random.Next());
  random.Seed(1);
  EXPECT_EQ(41, random.Next());
}

// The shared generator behaves as srand and rand, with a state of its own in each thread.
TEST(ZorRandomTest, SharedGeneratorIsSrandAndRandPerThread) {
  ZorGameBase::ZorSrand(1);
  EXPECT_EQ(41, ZorGameBase::ZorRand());
  ZorGameBase::ZorSrand(1);
  std::thread other([] {
    ZorGameBase::ZorSrand(7);
    ZorGameBase::ZorRand();
  });
  other.join();
  EXPECT_EQ(41, ZorGameBase::ZorRand());
  EXPECT_EQ(18467, ZorGameBase::ZorRand());
}

}  // namespace
