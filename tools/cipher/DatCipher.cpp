#include "DatCipher.h"

#include <cstdio>

namespace ZorTools {

void EncipherBytes(unsigned char* pbyData, size_t nSize, unsigned nSeed) {
  unsigned char abyKey[ZorGameBase::CZorEncryptFile::KEY_SIZE];
  ZorGameBase::CZorEncryptFile::BuildKey(nSeed, abyKey);
  for (size_t i = 0; i < nSize; ++i) {
    unsigned t = pbyData[i];
    unsigned s = static_cast<unsigned>(i & 7);
    t = ((t << s) | (t >> ((8 - s) & 7))) & 0xFF;  // rotate left, undone by the reader's right
    pbyData[i] = static_cast<unsigned char>(t ^ abyKey[i % ZorGameBase::CZorEncryptFile::KEY_SIZE]);
  }
}

std::string EncipherText(const std::string& strPlain, unsigned nSeed) {
  std::string strOut = strPlain;
  EncipherBytes(reinterpret_cast<unsigned char*>(strOut.data()), strOut.size(), nSeed);
  return strOut;
}

bool WriteDatFile(const char* pszPath, const std::string& strPlain, unsigned nSeed) {
  FILE* pFile = fopen(pszPath, "wb");
  if (pFile == nullptr) return false;
  std::string strOut = EncipherText(strPlain, nSeed);
  bool bWritten = fwrite(strOut.data(), 1, strOut.size(), pFile) == strOut.size();
  return fclose(pFile) == 0 && bWritten;
}

}  // namespace ZorTools
