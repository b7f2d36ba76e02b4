// ReadFields and ReadFieldSet over any file, with every field type. The first byte picks the
// pairs; the rest is the document.
#include <string>

#include "FuzzSupport.h"
#include "ZorIni.h"

using namespace ZorGameBase;

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  if (nSize == 0) return 0;
  unsigned nPick = pData[0];
  std::string strPath = FuzzSupport::WriteInput("fields.ini", pData + 1, nSize - 1);
  CZorIni ini;
  if (!ini.Open(strPath.c_str(), false)) return 0;
  int32_t nInt = 0;
  int64_t nInt64 = 0;
  int16_t nShort = 0;
  uint16_t nWord = 0;
  uint32_t nDword = 0;
  float fFloat = 0;
  double dDouble = 0;
  char szChars[CZorIni::LINE_BUFFER];
  std::string strText;
  ZorString::CZorString strZor;
  uint8_t nByte = 0;
  bool bFlag = false;
  void* apDest[15] = {nullptr, &nInt,    &nInt64, &nInt,    &nShort, &nWord, &nInt, &nDword,
                      &fFloat, &dDouble, szChars, &strText, &strZor, &nByte, &bFlag};
  // Ten pairs whose types follow from the pick (type 0 ends a list early).
  IniField aFields[10];
  for (int i = 0; i < 10; ++i) {
    int nType = static_cast<int>((nPick * 7u + static_cast<unsigned>(i) * 5u) % 16u);
    aFields[i].nType = nType;
    aFields[i].pData = nType < 15 ? apDest[nType] : &nInt;  // 15: an unknown type
  }
  for (int nLine = 0; nLine < 100000 && !ini.AtEnd(); ++nLine) {
    if (nPick & 1) {
      ini.ReadFieldSet(aFields[0], aFields[1], aFields[2], aFields[3], aFields[4], aFields[5],
                       aFields[6], aFields[7], aFields[8], aFields[9]);
    } else {
      ini.ReadFields(aFields[0].nType, aFields[0].pData, aFields[1].nType, aFields[1].pData,
                     aFields[2].nType, aFields[2].pData, INI_INT64, &nInt64, INI_CHARS, szChars,
                     INI_ZORSTRING, &strZor, INI_DOUBLE, &dDouble, INI_END);
    }
  }
  std::string strLine;
  ini.ReadLine(strLine);
  return 0;
}
