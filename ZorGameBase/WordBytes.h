#pragma once
// Eight bytes a step: the searches through text images load a word at a time and mark the
// bytes they look for in each byte's high bit. Of the marks the lowest is exact; those above
// it may be false (a borrow runs into the next byte), so only the lowest is ever used. Where
// the processor has the vector instructions (ZOR_SCAN_SSE2), sixteen bytes a step, whose marks
// are exact.
#include <cstdint>
#include <cstring>
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define ZOR_SCAN_SSE2 1
#include <emmintrin.h>
#endif

namespace ZorGameBase {

#if defined(ZOR_SCAN_SSE2)
// The place of the lowest bit set in a nonzero mask.
inline unsigned CountTrailingZeros(unsigned nBits) {
#if defined(__GNUC__)
  return static_cast<unsigned>(__builtin_ctz(nBits));
#else
  unsigned n = 0;
  for (; (nBits & 1u) == 0; nBits >>= 1) ++n;
  return n;
#endif
}
#endif

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

// The first byte from p on, before pEnd, for which fnIs holds; pEnd when there is none. Eight
// bytes a step while they fit: fnMarks(word) marks at least the bytes fnIs holds for (it may
// mark others, which fnIs then passes over).
template <typename Marks, typename Is>
const char* FindByte(const char* p, const char* pEnd, const Marks& fnMarks, const Is& fnIs) {
  while (pEnd - p >= 8) {
    uint64_t nMarks = fnMarks(LoadWord(p));
    if (nMarks == 0) {
      p += 8;
      continue;
    }
    if (!MoveToLowestMark(p, nMarks)) break;
    if (fnIs(*p)) return p;
    ++p;
  }
  while (p < pEnd && !fnIs(*p)) ++p;
  return p;
}

#if defined(ZOR_SCAN_SSE2)
// Sixteen bytes a step while they fit before pEnd: the first byte that fnMarks(block) marks
// (its mask holds one bit per byte, exact), or the first of the fewer than sixteen bytes left.
template <typename Marks>
const char* SkipUnmarkedBlocks(const char* p, const char* pEnd, const Marks& fnMarks) {
  while (pEnd - p >= 16) {
    unsigned nMarks = fnMarks(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    if (nMarks != 0) return p + CountTrailingZeros(nMarks);
    p += 16;
  }
  return p;
}
#endif

// The first byte from p on below chLimit, found sixteen bytes a step where the processor has
// the vector instructions for it; where fewer than sixteen bytes are left before pEnd without
// one (or at p, without those instructions), the first of them: the caller looks on from there.
inline const char* SkipBlocksNotBelow(const char* p, const char* pEnd, unsigned char chLimit) {
#if defined(ZOR_SCAN_SSE2)
  const __m128i nTop = _mm_set1_epi8(static_cast<char>(chLimit - 1));
  return SkipUnmarkedBlocks(p, pEnd, [nTop](__m128i nBytes) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(nBytes, nTop), nBytes)));
  });
#else
  (void)pEnd;
  (void)chLimit;
  return p;
#endif
}

}  // namespace ZorGameBase
