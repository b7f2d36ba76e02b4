#include "ReadableText.h"

#include "ToolPlatform.h"

namespace {

// A GBK character is one ASCII byte, or a lead byte 0x81-0xFE followed by 0x40-0x7E or
// 0x80-0xFE; the code page decides which of those pairs are characters.
bool IsLeadByte(unsigned char by) { return by >= 0x81 && by <= 0xFE; }
bool IsTrailByte(unsigned char by) { return by >= 0x40 && by <= 0xFE && by != 0x7F; }

void AppendEscaped(unsigned char by, std::string& strOut) {
  static const char HEX[] = "0123456789abcdef";
  strOut += "\\x";
  strOut += HEX[by >> 4];
  strOut += HEX[by & 15];
}

}  // namespace

std::string ReadableText(std::string_view gbk) {
  std::string strOut;
  strOut.reserve(gbk.size());
  for (size_t i = 0; i < gbk.size();) {
    unsigned char by = static_cast<unsigned char>(gbk[i]);
    if (by < 0x80) {
      strOut += gbk[i++];
      continue;
    }
    if (IsLeadByte(by) && i + 1 < gbk.size() &&
        IsTrailByte(static_cast<unsigned char>(gbk[i + 1])) &&
        ToolPlatform::AppendGbkAsUtf8(gbk.substr(i, 2), strOut)) {
      i += 2;
      continue;
    }
    AppendEscaped(by, strOut);
    ++i;
  }
  return strOut;
}
