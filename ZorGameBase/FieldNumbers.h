#pragma once
// The number fields of an ini field line (CZorIni::ReadFields) in their common forms, converted
// where they stand in the line, the destination's type fixing the conversion:
//
//   int32_t   INI_INT    decimal after an optional sign, or "0x" hexadecimal; saturated
//   uint32_t  INI_DWORD  the same, a minus negating modulo 2^32; saturated
//   int64_t   INI_INT64  decimal after an optional sign
//   float     INI_FLOAT  a short decimal (ShortDecimalFloat) after an optional sign
//
// Each conversion answers false for any other form (octal after a sign, long digit runs,
// exponents, text glued to the number), which the general conversion then takes; when it
// answers true it has stored what the general conversion stores, and p stands on the white
// space or line end behind the field.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "TextScan.h"
#include "ZorIni.h"

namespace ZorGameBase {

// Per byte value: true for white space and the zero byte (0, 9 to 13, 32), what ends a field.
struct FieldEndTable {
  bool abEnds[256];
  constexpr FieldEndTable() : abEnds() {
    for (int ch : {0, 9, 10, 11, 12, 13, 32}) abEnds[ch] = true;
  }
};
inline constexpr FieldEndTable FIELD_ENDS{};

inline bool EndsField(char ch) { return FIELD_ENDS.abEnds[static_cast<unsigned char>(ch)]; }

// A magnitude to 32 signed bits as the ini conversions saturate it.
inline int32_t SaturateInt32(uint64_t nMagnitude, bool bNegative) {
  if (bNegative) return nMagnitude >= 0x80000000ull ? INT32_MIN : -static_cast<int32_t>(nMagnitude);
  return nMagnitude > 0x7FFFFFFFull ? INT32_MAX : static_cast<int32_t>(nMagnitude);
}

// At most 18 decimal digits (exact in 64 bits) up to the field's end.
// The cursor is walked in a local copy: the line's characters could alias p itself, and the
// compiler would store p for every character read.
inline bool FieldDecimal(const char*& p, uint64_t& nValue) {
  const char* const pFirst = p;
  const char* q = pFirst;
  uint64_t n = 0;
  for (uint64_t nDigit; (nDigit = static_cast<unsigned char>(*q) - uint64_t{'0'}) < 10; ++q) {
    n = n * 10 + nDigit;
  }
  nValue = n;
  p = q;
  return static_cast<size_t>(q - pFirst) - 1 < 18 && EndsField(*q);  // 1 to 18 digits
}

// The magnitude and sign of an INI_INT or INI_DWORD field: "0x" and at most 15 hexadecimal
// digits, or decimal after an optional sign that no "0" follows.
inline bool FieldMagnitude(const char*& p, uint64_t& nValue, bool& bNegative) {
  bNegative = *p == '-';
  if (static_cast<unsigned char>(*p - '1') < 9) return FieldDecimal(p, nValue);  // the usual form
  if (*p == '-' || *p == '+') {
    if (*++p == '0') return false;
  } else if (p[0] == '0' && (p[1] | 0x20) == 'x') {
    const char* const pFirst = p + 2;
    const char* q = pFirst;
    uint64_t n = 0;
    for (;; ++q) {
      unsigned nDigit = static_cast<unsigned char>(*q) - '0';
      unsigned nLetter = (static_cast<unsigned char>(*q) | 0x20u) - 'a';
      if (nDigit > 9) nDigit = nLetter < 6 ? nLetter + 10 : 16;
      if (nDigit > 15) break;
      n = n * 16 + nDigit;
    }
    nValue = n;
    p = q;
    return q != pFirst && q - pFirst <= 15 && EndsField(*q);
  }
  return FieldDecimal(p, nValue);
}

template <typename TEnd>
bool ConvertNumberField(const char*& p, TEnd, int32_t& nValue) {
  uint64_t nMagnitude;
  bool bNegative;
  if (!FieldMagnitude(p, nMagnitude, bNegative)) return false;
  nValue = SaturateInt32(nMagnitude, bNegative);
  return true;
}

template <typename TEnd>
bool ConvertNumberField(const char*& p, TEnd, uint32_t& nValue) {
  uint64_t nMagnitude;
  bool bNegative;
  if (!FieldMagnitude(p, nMagnitude, bNegative)) return false;
  uint32_t nLow = static_cast<uint32_t>(nMagnitude);
  nValue = nMagnitude > 0xFFFFFFFFull ? UINT32_MAX : bNegative ? 0u - nLow : nLow;
  return true;
}

template <typename TEnd>
bool ConvertNumberField(const char*& p, TEnd, int64_t& nValue) {
  bool bNegative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  uint64_t nMagnitude;
  if (!FieldDecimal(p, nMagnitude)) return false;
  nValue = static_cast<int64_t>(bNegative ? 0 - nMagnitude : nMagnitude);
  return true;
}

// end: the end of the line, where a number ends at the latest; IMAGE_END for a line in a
// reader's image, whose line break ends every number.
template <typename TEnd>
bool ConvertNumberField(const char*& p, TEnd end, float& fValue) {
  bool bNegative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  float fParsed;
  const char* pStop;
  if (!ShortDecimalFloat(p, end, fParsed, pStop) || !EndsField(*pStop)) return false;
  fValue = bNegative ? -fParsed : fParsed;
  p = pStop;
  return true;
}

// The field type whose conversion a destination type takes.
constexpr int32_t IniTypeOf(const int32_t*) { return INI_INT; }
constexpr int32_t IniTypeOf(const uint32_t*) { return INI_DWORD; }
constexpr int32_t IniTypeOf(const int64_t*) { return INI_INT64; }
constexpr int32_t IniTypeOf(const float*) { return INI_FLOAT; }

// A line read where it stands in a reader's image: each field's value kept until the whole line
// is known to read so (an integer widened to 64 bits, a float as it is).
struct PlainField {
  int64_t nValue;
  float fValue;
};

template <typename T>
T PlainFieldValue(const PlainField& field) {
  if constexpr (std::is_same<T, float>::value) {
    return field.fValue;
  } else {
    return static_cast<T>(field.nValue);
  }
}

// The usual integer field: at most two blanks, then 1 to nMostDigits decimal digits (at most
// 18) and a field's end: what every integer conversion above answers for it when nMostDigits
// keeps it in the destination's range. Answers where it ends; null for any other form.
inline const char* PlainInteger(const char* p, ptrdiff_t nMostDigits, int64_t& nValue) {
  p += *p == ' ';
  p += *p == ' ';
  uint64_t n = static_cast<unsigned char>(*p) - uint64_t{'0'};
  if (n > 9) return nullptr;
  const char* const pFirst = p;
  for (uint64_t nDigit; (nDigit = static_cast<unsigned char>(*++p) - uint64_t{'0'}) < 10;) n = n * 10 + nDigit;
  if (p - pFirst > nMostDigits || !EndsField(*p)) return nullptr;
  nValue = static_cast<int64_t>(n);
  return p;
}

// Any field of a line in the image, after its blanks, by the conversion of its type. Answers
// where it ends; null when the conversion does not take it. Kept out of the line's loop, which
// takes it for the rarer forms only.
template <typename T>
[[gnu::noinline]] const char* ConvertPlainField(const char* p, PlainField& field) {
  while (*p == ' ' || *p == '\t') ++p;
  T value;
  if (!ConvertNumberField(p, IMAGE_END, value)) return nullptr;
  if constexpr (std::is_same<T, float>::value) {
    field.fValue = value;
  } else {
    field.nValue = static_cast<int64_t>(value);
  }
  return p;
}

// A field of a line in the image: PlainInteger for an integer destination, as many digits as
// its conversion reads without a saturation; a short decimal without sign after at most two
// blanks for a float; else ConvertPlainField.
template <typename T>
const char* NextPlainField(const char* p, PlainField& field) {
  if constexpr (std::is_same<T, float>::value) {
    const char* q = p + (*p == ' ');
    q += *q == ' ';
    const char* pStop;
    if (ShortDecimalFloat(q, IMAGE_END, field.fValue, pStop) && EndsField(*pStop)) return pStop;
  } else {
    const char* pNext = PlainInteger(p, std::is_same<T, int64_t>::value ? 18 : 9, field.nValue);
    if (pNext != nullptr) return pNext;
  }
  return ConvertPlainField<T>(p, field);
}

// The usual line read where it stands in the reader's image, in one pass: every field in a
// common form, then blanks at most and a line break, within the line length the reader keeps.
// Values and walk are left untouched when the line is not so.
template <typename... T, size_t... I>
bool ReadPlainNumberLine(CZorIni& ini, std::index_sequence<I...>, T&... values) {
  const char* pLine = ini.WalkPosition();
  if (pLine == nullptr) return false;
  while (*pLine == ' ' || *pLine == '\t') ++pLine;  // the blanks the reader drops
  PlainField aFields[sizeof...(T)];
  const char* p = pLine;
  if (!(((p = NextPlainField<T>(p, aFields[I])) != nullptr) && ...)) return false;
  while (*p == ' ' || *p == '\t') ++p;
  size_t nBreak = *p == '\n' ? 1 : *p == '\r' && p[1] == '\n' ? 2 : 0;
  if (nBreak == 0 || p - pLine > CZorIni::LINE_BUFFER - 1) return false;
  ((values = PlainFieldValue<T>(aFields[I])), ...);
  ini.PassReadLine(p + nBreak);
  return true;
}

// CZorIni::ReadFields (bSet false) or ReadFieldSet (bSet true) with a pair per value, of the
// type IniTypeOf gives: the line's fields converted in one pass where they stand when each
// takes a common form, else by the reader's general conversion (which logs a malformed line).
template <typename... T>
bool ReadNumberLine(CZorIni& ini, bool bSet, T&... values) {
  if (ReadPlainNumberLine(ini, std::index_sequence_for<T...>{}, values...)) return true;
  IniFieldLine line;
  if (!ini.ReadFieldLine(line)) return false;
  const char* p = line.pszLine;
  auto fnNext = [&](auto& value) {
    const char* q = p + (*p == ' ');  // the usual single blank taken without a branch
    while (*q == ' ' || *q == '\t') ++q;
    bool bConverted = ConvertNumberField(q, line.pLineEnd, value);
    p = q;
    return bConverted;
  };
  if ((fnNext(values) && ...)) return true;
  const IniField aFields[] = {IniField{IniTypeOf(&values), &values}...};
  const int nFields = static_cast<int>(sizeof...(T));
  return ini.ConvertFieldLine(line, aFields, nFields, bSet ? nFields : CZorIni::FIELDS_AS_FOUND);
}

}  // namespace ZorGameBase
