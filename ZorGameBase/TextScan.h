#pragma once
// Reading table files the way the runtime's buffered text streams and formatted input read
// them, but from one in-memory image of the whole file: one read, then a forward scan.
//
//   std::string image;
//   if (!ReadFileImage("ini/LookScale.ini", image, true)) { ...missing... }
//   CTextScan scan(image);
//   std::string_view line;
//   while (scan.LinePiece(line, 1023)) {          // fgets(buffer, 1023, file)
//     CTextScan fields(line);
//     uint32_t nLook; float fScale;
//     if (fields.UInt32(nLook) && fields.Literal('=') && fields.Float(fScale)) ...  // "%u=%f"
//   }
//
// Conversions follow the shipping platform's runtime: white space is the C locale's (blank,
// tab, line feed, vertical tab, form feed, carriage return); integer conversions accept a sign
// and wrap modulo 2^64 before they are cut to their width, as that runtime's accumulating
// conversions do; "%f" reads decimal notation only (no hexadecimal, infinity or NaN words).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "TableBlock.h"
#include "WordBytes.h"
#include "ZorPlatform.h"

namespace ZorGameBase {

// A regular file read whole with the platform's plain calls: OpenWhole gives its size in nSize
// (NO_FILE when there is no regular file at the path, or one larger than this process can
// address), ReadAll reads all nSize bytes into pBuffer (false when fewer came), then
// ZorPlatform::CloseFile.
ZorPlatform::FileHandle OpenWhole(const char* pszPath, size_t& nSize);
bool ReadAll(ZorPlatform::FileHandle hFile, char* pBuffer, size_t nSize);

// Reads the whole file with one read. In text mode the image reads as the shipping platform's
// text streams deliver it: each carriage return + line feed becomes a line feed, and a
// Ctrl-Z (0x1A) byte ends the text. False (image empty) when the file cannot be opened or read.
// As for every string, a zero byte follows the image.
bool ReadFileImage(const char* pszPath, std::string& image, bool bTextMode);

// A whole file in memory, read as ReadFileImage reads it, into a block that is not cleared
// first and that a later Read reuses when it is large enough. A zero byte follows the image
// (Data()[Size()], not part of the view): loops over the image may stop on it (IMAGE_END).
class CFileImage {
 public:
  CFileImage() = default;
  ~CFileImage() { Release(); }
  CFileImage(const CFileImage&) = delete;
  CFileImage& operator=(const CFileImage&) = delete;
  // False (image empty) when the file cannot be opened or read.
  bool Read(const char* pszPath, bool bTextMode);
  const char* Data() const { return m_block.Bytes(); }
  size_t Size() const { return m_nSize; }
  std::string_view View() const { return std::string_view(m_block.Bytes(), m_nSize); }
  // Gives the block back.
  void Release();

 private:
  CTableBlock m_block;  // of large images, pages that go back with the image (CImageReuse)
  size_t m_nSize = 0;
};

// The text up to its first zero byte, as a C string of these bytes reads.
std::string_view CutAtNul(std::string_view text);

// The leading decimal number of a text as the runtime's atoi reads it: white space and a sign
// first, then digits up to the first other character; 0 without digits; saturated to 32 bits.
int32_t ParseDecimal(const char* pszText);

// ParseDecimal of a value where it stands in its line of a text image, as of the value copied
// alone: the white space before the number is passed only up to the line's end (a carriage
// return, line feed or zero byte), where the value reads 0.
int32_t ParseValueDecimal(const char* pValue);

// Where a text ends for the readers below: at a pointer pEnd, or (IMAGE_END) at the zero byte
// that follows every file image (CFileImage), which no digit run and no number form passes, so
// that the readers need not look for the end.
struct CImageEnd {};
constexpr CImageEnd IMAGE_END{};
inline bool Before(const char* p, const char* pEnd) { return p < pEnd; }
constexpr bool Before(const char*, CImageEnd) { return true; }

// The digits from p on (at most to the end) added to nAccum, modulo 2^64; where they end.
template <typename TEnd>
inline const char* AccumulateDigits(const char* p, TEnd end, uint64_t& nAccum) {
  uint64_t nDigit;
  while (Before(p, end) && (nDigit = static_cast<unsigned char>(*p) - uint64_t{'0'}) < 10) {
    nAccum = nAccum * 10 + nDigit;
    ++p;
  }
  return p;
}

// The nearest float of a plain decimal at p, digits with at most one point and seven digits in
// all, no sign and no exponent behind it, read up to the first other character (at most to the
// end): pStop is set behind it. False for any other form, which takes the full conversion.
// Seven digits stay below 2^24 as do the powers of ten up to 10^7: both are exact floats, and
// one correctly rounded division gives the nearest float of the decimal.
template <typename TEnd>
inline bool ShortDecimalFloat(const char* p, TEnd end, float& fValue, const char*& pStop) {
  static const float POWERS_OF_TEN[8] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
  if constexpr (std::is_same<TEnd, CImageEnd>::value) {
    // The usual scale, "d.dd", without the loops: the same quotient. The image's closing zero
    // byte stops the look before it passes the end.
    unsigned nUnit = static_cast<unsigned char>(p[0]) - '0';
    unsigned nTenth, nHundredth;
    if (nUnit < 10 && p[1] == '.' && (nTenth = static_cast<unsigned char>(p[2]) - '0') < 10 &&
        (nHundredth = static_cast<unsigned char>(p[3]) - '0') < 10 &&
        static_cast<unsigned>(static_cast<unsigned char>(p[4]) - '0') > 9 && (p[4] | 0x20) != 'e') {
      fValue = static_cast<float>(static_cast<int32_t>(nUnit * 100 + nTenth * 10 + nHundredth)) / 1e2f;
      pStop = p + 4;
      return true;
    }
  }
  uint64_t nMantissa = 0;
  const char* pPoint = AccumulateDigits(p, end, nMantissa);
  const char* pAfter = pPoint;
  ptrdiff_t nFraction = 0;
  if (Before(pPoint, end) && *pPoint == '.') {
    pAfter = AccumulateDigits(pPoint + 1, end, nMantissa);
    nFraction = pAfter - (pPoint + 1);
  }
  size_t nDigits = static_cast<size_t>(pPoint - p) + static_cast<size_t>(nFraction);
  if (nDigits - 1 > 6 || (Before(pAfter, end) && (*pAfter | 0x20) == 'e')) return false;  // 'e', 'E'
  fValue = static_cast<float>(static_cast<int32_t>(nMantissa)) / POWERS_OF_TEN[nFraction];
  pStop = pAfter;
  return true;
}

// Blank, tab, line feed, vertical tab, form feed or carriage return (9 to 13).
inline bool IsScanSpace(char ch) {
  return static_cast<unsigned char>(ch) <= ' ' &&
         (ch == ' ' || static_cast<unsigned char>(ch - '\t') < 5);
}

// The first line feed from p on, or pEnd. Eight bytes a step while they fit.
inline const char* FindLineFeed(const char* p, const char* pEnd) {
  return FindByte(p, pEnd, [](uint64_t nWord) { return BytesEqual(nWord, '\n'); },
                  [](char ch) { return ch == '\n'; });
}

// "%d" or "%u" of a number that stands at p, no white space before it: an optional sign and
// digits up to the first other character (at most to the end), accumulated modulo 2^64 and
// negated for a minus, as the shipping platform's conversions do; p is moved behind it. False,
// p unmoved, without a digit.
template <typename TEnd>
inline bool DecimalHere(const char*& p, TEnd end, uint64_t& nValue) {
  const char* q = p;
  if (!Before(q, end)) return false;
  unsigned nDigit = static_cast<unsigned char>(*q) - '0';
  uint64_t nAccum = nDigit;
  if (nDigit < 10) {  // the usual case: no sign
    p = AccumulateDigits(q + 1, end, nAccum);
    nValue = nAccum;
    return true;
  }
  if (*q != '+' && *q != '-') return false;
  bool bNegative = *q++ == '-';
  if (!Before(q, end) || (nDigit = static_cast<unsigned char>(*q) - '0') > 9) return false;
  nAccum = nDigit;
  p = AccumulateDigits(q + 1, end, nAccum);
  nValue = bNegative ? 0 - nAccum : nAccum;
  return true;
}

// True when no number read where it stands (DecimalHere) can run past the text's end: its
// last byte is neither a digit nor a sign, so the text may be read as if IMAGE_END followed it.
inline bool StopsEveryNumber(std::string_view text) {
  if (text.empty()) return false;
  char ch = text.back();
  return static_cast<unsigned char>(ch - '0') >= 10 && ch != '+' && ch != '-';
}

// A forward cursor over text. Every conversion first skips white space (as the formatted input
// does for "%d", "%u", "%I64d", "%f" and "%s"); on failure it answers false and the cursor
// stays where the conversion found no match.
class CTextScan {
 public:
  CTextScan(const char* pBegin, const char* pEnd) : m_pPos(pBegin), m_pEnd(pEnd) {}
  explicit CTextScan(std::string_view text) : CTextScan(text.data(), text.data() + text.size()) {}

  bool AtEnd() const { return m_pPos >= m_pEnd; }
  const char* Position() const { return m_pPos; }
  const char* End() const { return m_pEnd; }
  void SetPosition(const char* pPos) { m_pPos = pPos; }
  std::string_view Rest() const { return std::string_view(m_pPos, m_pEnd - m_pPos); }

  // White space in a format: any amount, also none.
  void SkipSpace() {
    while (m_pPos < m_pEnd && IsScanSpace(*m_pPos)) ++m_pPos;
  }
  // A literal character in a format: must stand next, no white space skipped.
  bool Literal(char ch) {
    if (m_pPos >= m_pEnd || *m_pPos != ch) return false;
    ++m_pPos;
    return true;
  }
  // "%d"
  bool Int32(int32_t& nValue) {
    uint64_t nAccum;
    if (!Decimal(nAccum)) return false;
    nValue = static_cast<int32_t>(static_cast<uint32_t>(nAccum));
    return true;
  }
  // "%u"; a minus sign negates modulo 2^32
  bool UInt32(uint32_t& nValue) {
    uint64_t nAccum;
    if (!Decimal(nAccum)) return false;
    nValue = static_cast<uint32_t>(nAccum);
    return true;
  }
  // "%I64d" ("%lld")
  bool Int64(int64_t& nValue) {
    uint64_t nAccum;
    if (!Decimal(nAccum)) return false;
    nValue = static_cast<int64_t>(nAccum);
    return true;
  }
  bool Float(float& fValue);     // "%f"
  bool Hex32(uint32_t& nValue);  // "%x": optional sign and "0x" prefix
  // "%s": the next run of characters without white space (zero bytes included), as a view
  // into the text; false at the end of the text.
  bool Word(std::string_view& word) {
    SkipSpace();
    if (m_pPos >= m_pEnd) return false;
    const char* pStart = m_pPos;
    m_pPos = FindSpace(m_pPos, m_pEnd);
    word = std::string_view(pStart, static_cast<size_t>(m_pPos - pStart));
    return true;
  }
  // "%1023s" for nMax 1023: as Word, but at most nMax characters; the rest of a longer run is
  // the next word. Looks at no character past the word, however long the run.
  bool Word(std::string_view& word, size_t nMax) {
    SkipSpace();
    if (m_pPos >= m_pEnd) return false;
    const char* pStart = m_pPos;
    const char* pLimit = static_cast<size_t>(m_pEnd - pStart) > nMax ? pStart + nMax : m_pEnd;
    m_pPos = FindSpace(m_pPos, pLimit);
    word = std::string_view(pStart, static_cast<size_t>(m_pPos - pStart));
    return true;
  }
  // The first white-space character from p on, or pEnd. Sixteen or eight bytes a step while
  // they fit: white space lies below 0x21, and a step passes when no byte does.
  static const char* FindSpace(const char* p, const char* pEnd) {
#if defined(ZOR_SCAN_SSE2)
    for (;;) {  // sixteen bytes a step while they fit
      p = SkipBlocksNotBelow(p, pEnd, 0x21);
      if (pEnd - p < 16) break;
      if (IsScanSpace(*p)) return p;
      ++p;
    }
#endif
    return FindByte(p, pEnd, [](uint64_t nWord) { return BytesBelow(nWord, 0x21); }, IsScanSpace);
  }
  // fgets(buffer, nCount, file): at most nCount - 1 characters, ending after the first line
  // feed; false at the end. A longer line comes in several pieces. The piece is cut at a zero
  // byte, as the C string in the buffer reads, while the cursor moves past the whole piece.
  // bMayHoldZero false: the caller knows the text holds no zero byte, and no cut is looked for.
  bool LinePiece(std::string_view& piece, size_t nCount, bool bMayHoldZero = true) {
    if (m_pPos >= m_pEnd || nCount < 2) return false;
    const char* pLimit =
        static_cast<size_t>(m_pEnd - m_pPos) < nCount - 1 ? m_pEnd : m_pPos + (nCount - 1);
    const char* pFeed = FindLineFeed(m_pPos, pLimit);
    const char* pAfter = pFeed < pLimit ? pFeed + 1 : pLimit;
    piece = std::string_view(m_pPos, static_cast<size_t>(pAfter - m_pPos));
    if (bMayHoldZero) piece = CutAtNul(piece);
    m_pPos = pAfter;
    return true;
  }

 private:
  // A decimal number after white space (DecimalHere); false, with only the white space
  // passed, when no digit follows.
  bool Decimal(uint64_t& nValue) {
    SkipSpace();
    return DecimalHere(m_pPos, m_pEnd, nValue);
  }
  // Digits in base nBase accumulated modulo 2^64, after an optional sign; false without one.
  bool Digits(uint64_t& nValue, bool& bNegative, int nBase);

  const char* m_pPos;
  const char* m_pEnd;
};

}  // namespace ZorGameBase
