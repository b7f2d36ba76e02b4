// Texts and numbers of the records as JSON values.
#include <charconv>
#include <cstdlib>
#include <string>

#include "RecordJson.h"

Json JsonText(std::string_view text) { return ReadableText(text); }

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
