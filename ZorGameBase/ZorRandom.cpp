#include "ZorRandom.h"

namespace ZorGameBase {

namespace {
thread_local CZorRandom t_random;
}  // namespace

void ZorSrand(unsigned nSeed) { t_random.Seed(nSeed); }

int ZorRand() { return t_random.Next(); }

}  // namespace ZorGameBase
