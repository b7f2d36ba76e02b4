#pragma once
// One formatted read of the scanf family over a file image, directive by directive, with the
// family's result: EOF when the input ends before the first conversion, else the number of
// conversions made. After a failed directive the rest of the read does nothing.
//
//   fscanf(pFile, "ASB=%d\n", &nAsb)  is  CFormattedRead(scan).Text("ASB=").Int32(nAsb).Space()
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "TextScan.h"

class CFormattedRead {
 public:
  explicit CFormattedRead(ZorGameBase::CTextScan& scan) : m_scan(scan) {}

  // Ordinary characters, each matched exactly; a mismatch leaves the cursor on the character
  // that did not match.
  CFormattedRead& Text(std::string_view text) {
    if (m_bStopped) return *this;
    std::string_view rest = m_scan.Rest();
    size_t nSame = 0;
    while (nSame < text.size() && nSame < rest.size() && rest[nSame] == text[nSame]) ++nSame;
    m_scan.SetPosition(m_scan.Position() + nSame);
    if (nSame < text.size()) Stop(nSame == rest.size());
    return *this;
  }
  // A white-space directive ("\n" or " "): any amount of white space, none included.
  CFormattedRead& Space() {
    if (!m_bStopped) m_scan.SkipSpace();
    return *this;
  }
  CFormattedRead& Int32(int32_t& nValue) {
    return Convert([&] { return m_scan.Int32(nValue); });
  }
  CFormattedRead& UInt32(uint32_t& nValue) {
    return Convert([&] { return m_scan.UInt32(nValue); });
  }
  CFormattedRead& Int64(int64_t& nValue) {
    return Convert([&] { return m_scan.Int64(nValue); });
  }
  CFormattedRead& Float(float& fValue) {
    return Convert([&] { return m_scan.Float(fValue); });
  }
  // "%s": one blank-free word.
  CFormattedRead& Word(std::string_view& word) {
    return Convert([&] { return m_scan.Word(word); });
  }

  int Result() const { return m_bInputEnded && m_nConverted == 0 ? EOF : m_nConverted; }

 private:
  template <typename TConvert>
  CFormattedRead& Convert(TConvert fnConvert) {
    if (m_bStopped) return *this;
    m_scan.SkipSpace();
    if (m_scan.AtEnd()) {
      Stop(true);
    } else if (fnConvert()) {
      ++m_nConverted;
    } else {
      Stop(false);
    }
    return *this;
  }
  void Stop(bool bInputEnded) {
    m_bStopped = true;
    m_bInputEnded = bInputEnded;
  }

  ZorGameBase::CTextScan& m_scan;
  int m_nConverted = 0;
  bool m_bStopped = false;
  bool m_bInputEnded = false;
};

// Copies a word into a zero-terminated field, cut to fit (longer values are outside the
// tables' formats).
template <size_t N>
void CopyCut(char (&szField)[N], std::string_view text) {
  size_t nLength = text.size() < N - 1 ? text.size() : N - 1;
  if (nLength > 0) memcpy(szField, text.data(), nLength);  // an unread word has no data
  memset(szField + nLength, 0, N - nLength);
}

// Calls fnLine with every piece that fgets with a buffer of nBufferSize bytes returns from the
// file opened in text mode, each as the C string it becomes. False when the file cannot be
// read.
template <typename TLine>
bool ForEachLinePiece(const char* pszPath, size_t nBufferSize, TLine fnLine) {
  std::string image;
  if (!ZorGameBase::ReadFileImage(pszPath, image, true)) return false;
  ZorGameBase::CTextScan scan(image);
  std::string_view piece;
  while (scan.LinePiece(piece, nBufferSize)) fnLine(piece);
  return true;
}
