#pragma once
// The GBK double-byte rules, in one place. A byte 0x81..0xFE leads a two-byte character whose
// second (trail) byte is any non-zero byte; the pair is one character, so its trail byte is
// never taken for a single-byte character. A lead byte just before the end of the text stands
// alone. Every multibyte-aware search, trim and comparison of the foundation steps with these.

#include <cstddef>

namespace ZorGameBase {

inline bool IsGbkLeadByte(unsigned char ch) { return ch >= 0x81 && ch <= 0xFE; }

// Bytes taken by the character at pText of a zero-terminated text: 2 or 1 (1 at the zero).
inline size_t GbkCharSize(const char* pText) {
  return IsGbkLeadByte(static_cast<unsigned char>(pText[0])) && pText[1] != '\0' ? 2 : 1;
}

// Bytes taken by the character at pText, reading nothing at or beyond pEnd (pText < pEnd).
inline size_t GbkCharSize(const char* pText, const char* pEnd) {
  return IsGbkLeadByte(static_cast<unsigned char>(pText[0])) && pEnd - pText >= 2 &&
                 pText[1] != '\0'
             ? 2
             : 1;
}

// The character at pText of a zero-terminated text as one code: the byte of a single-byte
// character, lead * 256 + trail for a double-byte one.
inline unsigned GbkCharCode(const char* pText) {
  unsigned nLead = static_cast<unsigned char>(pText[0]);
  return GbkCharSize(pText) == 2 ? (nLead << 8) | static_cast<unsigned char>(pText[1]) : nLead;
}

}  // namespace ZorGameBase
