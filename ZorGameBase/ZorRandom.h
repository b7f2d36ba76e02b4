#pragma once
// The classic runtime pseudo-random generator, computed here so that every platform gives the
// same sequence: the enciphered table files and the sound resource pick depend on it.
// state = state * 214013 + 2531011 (modulo 2^32); each draw is (state >> 16) & 0x7FFF.

#include <cstdint>

namespace ZorGameBase {

const int ZOR_RAND_MAX = 0x7FFF;

// A generator with a state of its own.
class CZorRandom {
 public:
  explicit CZorRandom(uint32_t nSeed = 1) : m_nState(nSeed) {}
  void Seed(uint32_t nSeed) { m_nState = nSeed; }
  // 0 to ZOR_RAND_MAX.
  int Next() {
    m_nState = m_nState * 214013u + 2531011u;
    return static_cast<int>((m_nState >> 16) & ZOR_RAND_MAX);
  }

 private:
  uint32_t m_nState;
};

// The module's shared generator, used as srand and rand are: one state per thread, as the
// shipping runtime keeps it, seeded with 1 until ZorSrand is called.
void ZorSrand(unsigned nSeed);
int ZorRand();

}  // namespace ZorGameBase
