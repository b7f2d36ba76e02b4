// The classic runtime generator sequence, which enciphered files and sound picks rely on.
#include <gtest/gtest.h>

#include <thread>

#include "ZorRandom.h"

namespace {

using ZorGameBase::CZorRandom;

TEST(ZorRandomTest, SeedOneGivesTheKnownSequence) {
  const int aExpected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  CZorRandom random(1);
  for (int nExpected : aExpected) EXPECT_EQ(nExpected, random.Next());
}

TEST(ZorRandomTest, DrawsStayWithinFifteenBits) {
  CZorRandom random(0xFFFFFFFFu);
  for (int i = 0; i < 1000; ++i) {
    int nDraw = random.Next();
    ASSERT_GE(nDraw, 0);
    ASSERT_LE(nDraw, ZorGameBase::ZOR_RAND_MAX);
  }
}

TEST(ZorRandomTest, ReseedingRepeatsTheSequence) {
  CZorRandom random(6142);
  int nFirst = random.Next();
  random.Next();
  random.Seed(6142);
  EXPECT_EQ(nFirst, random.Next());
}

TEST(ZorRandomTest, SharedGeneratorBehavesAsSrandAndRand) {
  ZorGameBase::ZorSrand(1);
  EXPECT_EQ(41, ZorGameBase::ZorRand());
  EXPECT_EQ(18467, ZorGameBase::ZorRand());
  ZorGameBase::ZorSrand(1);
  EXPECT_EQ(41, ZorGameBase::ZorRand());
}

TEST(ZorRandomTest, EachThreadHasItsOwnSharedState) {
  ZorGameBase::ZorSrand(1);
  std::thread other([] {
    ZorGameBase::ZorSrand(7);
    ZorGameBase::ZorRand();
  });
  other.join();
  EXPECT_EQ(41, ZorGameBase::ZorRand());
}

}  // namespace
