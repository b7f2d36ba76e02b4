#include "TextScan.h"

#include <cstdio>
#include <cstdlib>

namespace ZorGameBase {
namespace {
bool IsSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
}  // namespace

bool ReadFileImage(const char* pszPath, std::string& image) {
  image.clear();
  FILE* pFile = fopen(pszPath, "rb");
  if (pFile == nullptr) return false;
  char aBuffer[65536];
  size_t nRead;
  while ((nRead = fread(aBuffer, 1, sizeof(aBuffer), pFile)) > 0) image.append(aBuffer, nRead);
  bool bOk = ferror(pFile) == 0;
  fclose(pFile);
  return bOk;
}

void CTextScan::SkipSpace() {
  while (m_pCur < m_pEnd && IsSpace(*m_pCur)) ++m_pCur;
}

bool CTextScan::Digits(uint64_t& nMagnitude, bool& bNegative) {
  SkipSpace();
  bNegative = false;
  if (m_pCur < m_pEnd && (*m_pCur == '+' || *m_pCur == '-')) {
    bNegative = *m_pCur == '-';
    ++m_pCur;
  }
  if (m_pCur >= m_pEnd || !IsDigit(*m_pCur)) return false;
  nMagnitude = 0;
  while (m_pCur < m_pEnd && IsDigit(*m_pCur)) nMagnitude = nMagnitude * 10 + (*m_pCur++ - '0');
  return true;
}

bool CTextScan::Int32(int32_t& nValue) {
  uint64_t nMagnitude;
  bool bNegative;
  if (!Digits(nMagnitude, bNegative)) return false;
  uint32_t nLow = static_cast<uint32_t>(nMagnitude);
  nValue = static_cast<int32_t>(bNegative ? 0u - nLow : nLow);
  return true;
}

bool CTextScan::UInt32(uint32_t& nValue) {
  uint64_t nMagnitude;
  bool bNegative;
  if (!Digits(nMagnitude, bNegative)) return false;
  uint32_t nLow = static_cast<uint32_t>(nMagnitude);
  nValue = bNegative ? 0u - nLow : nLow;
  return true;
}

bool CTextScan::Int64(int64_t& nValue) {
  uint64_t nMagnitude;
  bool bNegative;
  if (!Digits(nMagnitude, bNegative)) return false;
  nValue = static_cast<int64_t>(bNegative ? 0u - nMagnitude : nMagnitude);
  return true;
}

bool CTextScan::Float(float& fValue) {
  SkipSpace();
  const char* pStart = m_pCur;
  const char* p = m_pCur;
  if (p < m_pEnd && (*p == '+' || *p == '-')) ++p;
  const char* pMantissa = p;
  while (p < m_pEnd && IsDigit(*p)) ++p;
  bool bDigits = p > pMantissa;
  if (p < m_pEnd && *p == '.') {
    ++p;
    const char* pFraction = p;
    while (p < m_pEnd && IsDigit(*p)) ++p;
    bDigits = bDigits || p > pFraction;
  }
  if (!bDigits) return false;
  if (p < m_pEnd && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < m_pEnd && (*q == '+' || *q == '-')) ++q;
    if (q < m_pEnd && IsDigit(*q)) {
      while (q < m_pEnd && IsDigit(*q)) ++q;
      p = q;
    }
  }
  std::string strNumber(pStart, p);
  fValue = strtof(strNumber.c_str(), nullptr);
  m_pCur = p;
  return true;
}

bool CTextScan::Word(std::string_view& word) {
  SkipSpace();
  if (m_pCur >= m_pEnd) return false;
  const char* pStart = m_pCur;
  while (m_pCur < m_pEnd && !IsSpace(*m_pCur)) ++m_pCur;
  word = std::string_view(pStart, static_cast<size_t>(m_pCur - pStart));
  return true;
}

bool CTextScan::Literal(char ch) {
  if (m_pCur >= m_pEnd || *m_pCur != ch) return false;
  ++m_pCur;
  return true;
}

bool CTextScan::LinePiece(std::string_view& piece, size_t nBufferSize) {
  if (m_pCur >= m_pEnd || nBufferSize < 2) return false;
  const char* pStart = m_pCur;
  size_t nMax = nBufferSize - 1;
  while (m_pCur < m_pEnd && static_cast<size_t>(m_pCur - pStart) < nMax) {
    if (*m_pCur++ == '\n') break;
  }
  piece = std::string_view(pStart, static_cast<size_t>(m_pCur - pStart));
  return true;
}

}  // namespace ZorGameBase
