// The shared generator of the sound picks. Its sequence, the classic runtime generator's, is
// fixed by the enciphered golden file of PlatformAgreementTest.
#include <gtest/gtest.h>

#include <thread>

#include "ZorRandom.h"

namespace {

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
