#pragma once
// The numbers of "%d %d ..." and "%u %u ..." scan formats, read one after another where the
// battle maps and the regions read many of them to a line.

#include <cstdint>

#include "TextScan.h"

// nCount conversions from p on, into anValue (int32_t or uint32_t): each number after white
// space and an optional sign, as CTextScan::Int32 and UInt32 read it: summed modulo 2^32, which
// gives the low 32 bits of that reader's sum modulo 2^64. Answers the number
// converted (those before a failing one are stored); pAt is left behind the last number
// converted. kBounded: whether a run of digits may reach pEnd; without it the text must end in
// something other than a digit, which then ends every run.
template <bool kBounded, typename T>
int ScanDecimals(const char*& pAt, const char* pEnd, T* anValue, int nCount) {
  const char* p = pAt;
  for (int i = 0; i < nCount; ++i) {
    const char* pNumber = p;
    p += p != pEnd && *p == ' ';  // the usual single blank, a digit behind it
    unsigned nDigit = p != pEnd ? static_cast<unsigned char>(*p) - '0' : 10u;
    bool bNegative = false;
    if (nDigit >= 10) {  // more white space, a sign, or no number
      while (p != pEnd && ZorGameBase::IsScanSpace(*p)) ++p;
      if (p != pEnd && (*p == '-' || *p == '+')) bNegative = *p++ == '-';
      if (p == pEnd || (nDigit = static_cast<unsigned char>(*p) - '0') >= 10) {
        pAt = pNumber;
        return i;
      }
    }
    uint32_t nValue = nDigit;
    for (;;) {
      ++p;
      if (kBounded && p == pEnd) break;
      nDigit = static_cast<unsigned char>(*p) - '0';
      if (nDigit >= 10) break;
      nValue = nValue * 10 + nDigit;
    }
    anValue[i] = static_cast<T>(bNegative ? 0 - nValue : nValue);
  }
  pAt = p;
  return nCount;
}
