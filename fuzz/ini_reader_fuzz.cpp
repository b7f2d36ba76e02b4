// The ini reader walking sections and keys of any file, with the text utilities on each value.
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ZorCommon.h"
#include "ZorIni.h"

using namespace ZorGameBase;

namespace {

// The key of a section line: the bytes before "=" (at most 64, never past the line's end).
std::string KeyOf(const char* pszLine) {
  std::string strKey;
  for (const char* p = pszLine;
       strKey.size() < 64 && *p != '=' && *p != '\0' && *p != '\r' && *p != '\n'; ++p) {
    strKey += *p;
  }
  return strKey;
}

void UseValue(const char* pszValue) {
  char szText[CZorIni::LINE_BUFFER];
  strcpy(szText, pszValue);
  TrimLineHead(szText);
  TrimLineTail(szText);
  ZorStrChr(szText, '=');
  ZorStrrChr(szText, 0xB05C);
  std::vector<unsigned> values;
  SplitNumberList(szText, values, ",", CZorIni::LINE_BUFFER);
  char szSmall[8];
  ZorStrCopy(szSmall, szText, sizeof(szSmall));
}

}  // namespace

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  std::string strPath = FuzzSupport::WriteInput("doc.ini", pData, nSize);
  CZorIni ini;
  if (!ini.Open(strPath.c_str(), false)) return 0;
  for (int nWalk = 0; nWalk < 100000 && !ini.AtEnd(); ++nWalk) {
    if (!ini.ReadSection()) continue;
    std::string strTitle;
    ini.GetSectionTitle(strTitle);
    std::vector<const char*> lines = ini.GetSectionLines();
    for (size_t i = 0; i < lines.size() && i < 64; ++i) {
      std::string strKey = KeyOf(lines[i]);
      char szValue[CZorIni::LINE_BUFFER];
      if (ini.ReadValue(strKey.c_str(), szValue, sizeof(szValue), true)) UseValue(szValue);
      char szSmall[5];
      ini.ReadValue(strKey.c_str(), szSmall, static_cast<int>(1 + i % 5), false);
      std::string strValue;
      ZorString::CZorString strZor;
      int nValue = 0;
      float fValue = 0;
      ini.ReadString(strKey.c_str(), strValue, false);
      ini.ReadZorString(strKey.c_str(), strZor, true);
      ini.ReadInt(strKey.c_str(), nValue, false);
      ini.ReadFloat(strKey.c_str(), fValue, false);
    }
  }
  // The same bytes as a memory image read line by line.
  unsigned nPosition = 0;
  char szLine[64];
  while (ReadBufferLine(reinterpret_cast<const char*>(pData), static_cast<unsigned>(nSize),
                        nPosition, szLine, sizeof(szLine))) {
  }
  return 0;
}
