#pragma once
// The numbers of "%d %d ..." and "%u %u ..." scan formats, read one after another where the
// battle maps and the regions read many of them to a line.

#include <cstdint>

#include "TextScan.h"

// nCount conversions from p on, into anValue (int32_t or uint32_t): each number after white
// space and an optional sign, as CTextScan::Int32 and UInt32 read it. Answers the number
// converted (those before a failing one are stored); p is left behind the last number
// converted. kBounded: whether a number may run to pEnd; without it the text must stop every
// number before its end (StopsEveryNumber), and the digits are read without a look for it.
template <bool kBounded, typename T>
int ScanDecimals(const char*& p, const char* pEnd, T* anValue, int nCount) {
  const char* q = p;
  const char* pAfter = p;  // behind the last number converted
  int i = 0;
  for (; i < nCount; ++i) {
    q += q != pEnd && *q == ' ';  // the usual single blank
    uint64_t nValue;
    if (q != pEnd && static_cast<unsigned char>(*q - '0') < 10) {  // the usual unsigned digits
      nValue = static_cast<unsigned char>(*q) - uint64_t{'0'};
      q = kBounded ? ZorGameBase::AccumulateDigits(q + 1, pEnd, nValue)
                   : ZorGameBase::AccumulateDigits(q + 1, ZorGameBase::IMAGE_END, nValue);
    } else {  // more white space, a sign, or no number
      while (q != pEnd && ZorGameBase::IsScanSpace(*q)) ++q;
      if (q == pEnd) break;
      bool bRead = kBounded ? ZorGameBase::DecimalHere(q, pEnd, nValue)
                            : ZorGameBase::DecimalHere(q, ZorGameBase::IMAGE_END, nValue);
      if (!bRead) break;
    }
    anValue[i] = static_cast<T>(nValue);
    pAfter = q;
  }
  p = pAfter;
  return i;
}
