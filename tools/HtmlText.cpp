#include "HtmlText.h"

#include <cmath>
#include <cstdio>

std::string HtmlEscape(std::string_view text) {
  std::string strOut;
  strOut.reserve(text.size());
  for (char ch : text) {
    switch (ch) {
      case '&': strOut += "&amp;"; break;
      case '<': strOut += "&lt;"; break;
      case '>': strOut += "&gt;"; break;
      case '"': strOut += "&quot;"; break;
      case '\'': strOut += "&#39;"; break;
      default: strOut += ch;
    }
  }
  return strOut;
}

std::string SvgNumber(double dValue) {
  if (!std::isfinite(dValue)) return "0";
  char szText[64];
  snprintf(szText, sizeof(szText), "%.2f", dValue);
  std::string strText = szText;
  while (strText.back() == '0') strText.pop_back();
  if (strText.back() == '.') strText.pop_back();
  return strText == "-0" ? "0" : strText;
}
