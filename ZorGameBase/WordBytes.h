#pragma once
// Eight bytes a step: the searches through text images load a word at a time and mark the
// bytes they look for in each byte's high bit. Of the marks the lowest is exact; those above
// it may be false (a borrow runs into the next byte), so only the lowest is ever used.
#include <cstdint>
#include <cstring>

namespace ZorGameBase {

constexpr uint64_t WORD_ONES = 0x0101010101010101ull;
constexpr uint64_t WORD_HIGHS = 0x8080808080808080ull;

inline uint64_t LoadWord(const char* p) {
  uint64_t nWord;
  memcpy(&nWord, p, sizeof(nWord));
  return nWord;
}

// The bytes of the word below the given value (at most 0x80).
inline uint64_t BytesBelow(uint64_t nWord, unsigned char chLimit) {
  return (nWord - WORD_ONES * chLimit) & ~nWord & WORD_HIGHS;
}

inline uint64_t BytesEqual(uint64_t nWord, char ch) {
  return BytesBelow(nWord ^ (WORD_ONES * static_cast<unsigned char>(ch)), 1);
}

// Moves p onto the lowest marked byte of the word at p (nMarks not 0). False where the byte
// order does not tell which byte that is: the caller goes on a byte at a time from p.
inline bool MoveToLowestMark(const char*& p, uint64_t nMarks) {
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  p += __builtin_ctzll(nMarks) >> 3;
  return true;
#else
  (void)p;
  (void)nMarks;
  return false;
#endif
}

}  // namespace ZorGameBase
