#pragma once
// Formatted input over a whole-file image: the conversions of the runtime's scanf family
// ("%d", "%u", "%I64d", "%f", "%s", ordinary characters) and fgets pieces, on one cursor.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ZorGameBase {

// Reads the whole file, bytes as they are. False when it cannot be opened or read.
bool ReadFileImage(const char* pszPath, std::string& image);

class CTextScan {
 public:
  CTextScan(const char* pBegin, const char* pEnd)
      : m_pBegin(pBegin), m_pCur(pBegin), m_pEnd(pEnd) {}

  // Skips white space (blank, tab, line feed, vertical tab, form feed, carriage return).
  void SkipSpace();
  // Each conversion skips white space first, then takes an optional sign and at least one
  // digit; false (nothing stored) when there is no digit. Values wrap modulo 2^32 or 2^64.
  bool Int32(int32_t& nValue);
  bool UInt32(uint32_t& nValue);
  bool Int64(int64_t& nValue);
  // A decimal number with optional fraction and exponent.
  bool Float(float& fValue);
  // A run of non-blank characters after white space; false at the end.
  bool Word(std::string_view& word);
  // The next character, exactly.
  bool Literal(char ch);
  // What fgets with a buffer of nBufferSize bytes would read: at most nBufferSize - 1
  // characters, up to and including a line feed. False at the end.
  bool LinePiece(std::string_view& piece, size_t nBufferSize);
  bool AtEnd() const { return m_pCur >= m_pEnd; }
  size_t Position() const { return static_cast<size_t>(m_pCur - m_pBegin); }

 private:
  bool Digits(uint64_t& nMagnitude, bool& bNegative);

  const char* m_pBegin;
  const char* m_pCur;
  const char* m_pEnd;
};

}  // namespace ZorGameBase
