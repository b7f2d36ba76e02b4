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
#include <string>
#include <string_view>

namespace ZorGameBase {

// Reads the whole file with one read. In text mode the image reads as the shipping platform's
// text streams deliver it: each carriage return + line feed becomes a line feed, and a
// Ctrl-Z (0x1A) byte ends the text. False (image empty) when the file cannot be opened or read.
bool ReadFileImage(const char* pszPath, std::string& image, bool bTextMode);

// The text up to its first zero byte, as a C string of these bytes reads.
std::string_view CutAtNul(std::string_view text);

inline bool IsScanSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
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
  void SkipSpace();
  // A literal character in a format: must stand next, no white space skipped.
  bool Literal(char ch);
  bool Int32(int32_t& nValue);    // "%d"
  bool UInt32(uint32_t& nValue);  // "%u"; a minus sign negates modulo 2^32
  bool Int64(int64_t& nValue);    // "%I64d" ("%lld")
  bool Float(float& fValue);      // "%f"
  bool Hex32(uint32_t& nValue);   // "%x": optional sign and "0x" prefix
  // "%s": the next run of characters without white space (zero bytes included), as a view
  // into the text; false at the end of the text.
  bool Word(std::string_view& word);
  // fgets(buffer, nCount, file): at most nCount - 1 characters, ending after the first line
  // feed; false at the end. A longer line comes in several pieces. The piece is cut at a zero
  // byte, as the C string in the buffer reads, while the cursor moves past the whole piece.
  bool LinePiece(std::string_view& piece, size_t nCount);

 private:
  // Digits in base nBase accumulated modulo 2^64, after an optional sign; false without one.
  bool Digits(uint64_t& nValue, bool& bNegative, int nBase);

  const char* m_pPos;
  const char* m_pEnd;
};

}  // namespace ZorGameBase
