// Enciphered documents: the bytes are deciphered and then walked by the ini reader, and read
// line by line from the encrypted file's own image. The first byte chooses whether the rest is
// taken as the scrambled file itself or as a plain text that is scrambled first.
#include <string>

#include "DatCipher.h"
#include "FuzzSupport.h"
#include "ZorEncryptFile.h"
#include "ZorIni.h"

using namespace ZorGameBase;

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  if (nSize == 0) return 0;
  std::string strBytes(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
  if (pData[0] & 1) strBytes = ZorTools::EncipherText(strBytes);
  std::string strPath = FuzzSupport::WriteInput(
      "table.dat", reinterpret_cast<const uint8_t*>(strBytes.data()), strBytes.size());

  CZorIni ini;
  if (ini.Open(strPath.c_str(), false)) {
    for (int nWalk = 0; nWalk < 100000 && !ini.AtEnd(); ++nWalk) {
      if (!ini.ReadSection()) continue;
      std::string strTitle;
      std::string strValue;
      int nValue = 0;
      ini.GetSectionTitle(strTitle);
      ini.ReadString("File", strValue, true);
      ini.ReadInt("PuzzleGridSize", nValue, true);
      ini.ReadString("limit", strValue, false);
    }
  }

  CZorEncryptFile file(DAT_FILE_SEED);
  if (file.Open(strPath.c_str())) {
    unsigned nPosition = 0;
    char szLine[1024];
    while (ReadBufferLine(file.GetBuffer(), static_cast<unsigned>(file.GetSize()), nPosition,
                          szLine, sizeof(szLine))) {
    }
    char szChunk[7];
    while (file.Read(szChunk, static_cast<int>(sizeof(szChunk))) > 0) {
    }
  }
  return 0;
}
