// The plain ini lookup over any file: fixed setup keys, and a section and key taken from the
// input's first two words (so names over the limits come up too).
#include <string>

#include "FuzzSupport.h"
#include "IniLookup.h"

using ZorGameBase::GetIniValue;

namespace {
std::string NextWord(const uint8_t* pData, size_t nSize, size_t& nPos) {
  while (nPos < nSize && (pData[nPos] == ' ' || pData[nPos] == '\n')) ++nPos;
  std::string strWord;
  while (nPos < nSize && pData[nPos] != ' ' && pData[nPos] != '\n' && pData[nPos] != '\0' &&
         strWord.size() < 300) {
    strWord += static_cast<char>(pData[nPos++]);
  }
  return strWord;
}
}  // namespace

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  std::string strPath = FuzzSupport::WriteInput("GameSetup.ini", pData, nSize);
  char szValue[1024];
  GetIniValue(strPath.c_str(), "DumpError", "Enable", szValue, false);
  GetIniValue(strPath.c_str(), "DumpError", "Server", szValue, true);
  size_t nPos = 0;
  std::string strSection = NextWord(pData, nSize, nPos);
  std::string strKey = NextWord(pData, nSize, nPos);
  GetIniValue(strPath.c_str(), strSection.c_str(), strKey.c_str(), szValue, (nSize & 1) != 0);
  return 0;
}
