#pragma once
// The foundation's string helpers: GBK-aware, misuse logged as an assertion.

namespace ZorGameBase {

// Copies at most nLen bytes of src into dst, zero-fills the rest of the nLen bytes and forces
// dst[nLen - 1] to zero. False (dst untouched) for null pointers, nLen 0 or nLen over 1048576.
bool ZorStrCopy(char* dst, const char* src, unsigned nLen);

// The first / last occurrence of a character in a text, or null. GBK double-byte characters are
// stepped over whole, so a trail byte never matches; ch above 0xFF names a double-byte
// character (lead * 256 + trail). ch 0 finds the terminating zero. Null text gives null.
const char* ZorStrChr(const char* text, unsigned ch);
char* ZorStrChr(char* text, unsigned ch);
const char* ZorStrrChr(const char* text, unsigned ch);
char* ZorStrrChr(char* text, unsigned ch);

}  // namespace ZorGameBase
