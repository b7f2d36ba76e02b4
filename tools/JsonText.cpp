// Texts and numbers of the records as JSON values.
#include <charconv>
#include <cstdlib>
#include <string>

#include "RecordJson.h"

namespace {

// Bytes taken by the UTF-8 character at text[i], or 0 when it is not well-formed UTF-8.
size_t Utf8CharSize(std::string_view text, size_t i) {
  unsigned char ch = static_cast<unsigned char>(text[i]);
  size_t nSize = ch < 0x80                  ? 1
                 : ch >= 0xC2 && ch <= 0xDF ? 2
                 : ch >= 0xE0 && ch <= 0xEF ? 3
                 : ch >= 0xF0 && ch <= 0xF4 ? 4
                                            : 0;
  if (nSize == 0 || i + nSize > text.size()) return 0;
  for (size_t k = 1; k < nSize; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  unsigned char chNext = static_cast<unsigned char>(nSize > 1 ? text[i + 1] : 0);
  if ((ch == 0xE0 && chNext < 0xA0) || (ch == 0xED && chNext > 0x9F) ||
      (ch == 0xF0 && chNext < 0x90) || (ch == 0xF4 && chNext > 0x8F)) {
    return 0;  // over-long forms, surrogates, beyond U+10FFFF
  }
  return nSize;
}

bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    size_t nSize = Utf8CharSize(text, i);
    if (nSize == 0) return false;
    i += nSize;
  }
  return true;
}

}  // namespace

std::string DisplayText(std::string_view text) {
  if (IsUtf8(text)) return std::string(text);
  static const char HEX[] = "0123456789abcdef";
  std::string strOut;
  for (char ch : text) {
    unsigned char by = static_cast<unsigned char>(ch);
    if (by < 0x80) {
      strOut += ch;
    } else {
      strOut += "\\x";
      strOut += HEX[by >> 4];
      strOut += HEX[by & 15];
    }
  }
  return strOut;
}

Json JsonText(std::string_view text) { return DisplayText(text); }

Json JsonText(const char* pszText) {
  return pszText == nullptr ? Json(nullptr) : JsonText(std::string_view(pszText));
}

Json JsonFloat(float fValue) {
  char szText[32];
  auto result = std::to_chars(szText, szText + sizeof(szText) - 1, fValue);
  *result.ptr = '\0';
  // The shortest text that reads back as this float, widened: 0.1f prints as 0.1.
  return std::strtod(szText, nullptr);
}

Json JsonHex(const unsigned char* pbyData, size_t nSize) {
  static const char HEX[] = "0123456789abcdef";
  std::string strOut;
  for (size_t i = 0; i < nSize; ++i) {
    strOut += HEX[pbyData[i] >> 4];
    strOut += HEX[pbyData[i] & 15];
  }
  return strOut;
}
