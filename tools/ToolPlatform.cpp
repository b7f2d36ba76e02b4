// The tool's two operating-system differences: GBK goes through MultiByteToWideChar (code page
// 936) on Windows and iconv elsewhere, and a Windows console is told to take colour sequences.
#include "ToolPlatform.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <iconv.h>
#include <unistd.h>
#endif

namespace ToolPlatform {

#if defined(_WIN32)

bool AppendGbkAsUtf8(std::string_view gbk, std::string& strOut) {
  const UINT GBK_CODE_PAGE = 936;
  wchar_t awchText[4];
  int nWide = MultiByteToWideChar(GBK_CODE_PAGE, MB_ERR_INVALID_CHARS, gbk.data(),
                                  static_cast<int>(gbk.size()), awchText, 4);
  if (nWide <= 0) return false;
  char achUtf8[16];
  int nBytes =
      WideCharToMultiByte(CP_UTF8, 0, awchText, nWide, achUtf8, sizeof(achUtf8), nullptr, nullptr);
  if (nBytes <= 0) return false;
  strOut.append(achUtf8, static_cast<size_t>(nBytes));
  return true;
}

bool IsTerminal(FILE* pStream) { return _isatty(_fileno(pStream)) != 0; }

bool EnableColourSequences(FILE* pStream) {
  HANDLE hConsole = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pStream)));
  DWORD dwMode = 0;
  if (hConsole == INVALID_HANDLE_VALUE || !GetConsoleMode(hConsole, &dwMode)) return false;
  const DWORD VIRTUAL_TERMINAL = 0x0004;  // ENABLE_VIRTUAL_TERMINAL_PROCESSING
  return (dwMode & VIRTUAL_TERMINAL) != 0 ||
         SetConsoleMode(hConsole, dwMode | VIRTUAL_TERMINAL) != 0;
}

#else

namespace {

// One converter per thread, opened on first use; every conversion fails when the C library
// has no GBK converter.
class CGbkConverter {
 public:
  CGbkConverter() : m_cd(iconv_open("UTF-8", "GBK")) {}
  ~CGbkConverter() {
    if (Usable()) iconv_close(m_cd);
  }
  CGbkConverter(const CGbkConverter&) = delete;
  CGbkConverter& operator=(const CGbkConverter&) = delete;

  bool Usable() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  iconv_t Handle() const { return m_cd; }

 private:
  iconv_t m_cd;
};

}  // namespace

bool AppendGbkAsUtf8(std::string_view gbk, std::string& strOut) {
  thread_local CGbkConverter s_converter;
  if (!s_converter.Usable()) return false;
  char achIn[4];
  char achUtf8[16];
  size_t nIn = gbk.copy(achIn, sizeof(achIn));
  size_t nOut = sizeof(achUtf8);
  char* pIn = achIn;
  char* pOut = achUtf8;
  iconv(s_converter.Handle(), nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
  if (iconv(s_converter.Handle(), &pIn, &nIn, &pOut, &nOut) == static_cast<size_t>(-1) ||
      nIn != 0) {
    return false;
  }
  strOut.append(achUtf8, sizeof(achUtf8) - nOut);
  return true;
}

bool IsTerminal(FILE* pStream) { return isatty(fileno(pStream)) != 0; }

bool EnableColourSequences(FILE* /*pStream*/) { return true; }

#endif

}  // namespace ToolPlatform
