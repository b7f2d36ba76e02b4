#include "ZorEncryptFile.h"

#include "LoadObserver.h"
#include "ZorRandom.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "TextScan.h"

namespace ZorGameBase {

CZorEncryptFile::CZorEncryptFile(unsigned nSeed)
    : m_bOwnsData(true), m_pbyData(nullptr), m_nSize(0), m_nPosition(0) {
  BuildKey(nSeed, m_abyKey);
}

CZorEncryptFile::~CZorEncryptFile() { Close(); }

void CZorEncryptFile::BuildKey(unsigned nSeed, unsigned char abyKey[KEY_SIZE]) {
  CZorRandom random(nSeed);
  for (int i = 0; i < KEY_SIZE; ++i) abyKey[i] = static_cast<unsigned char>(random.Next());
}

namespace {
inline unsigned char RotateRight(unsigned t, unsigned s) {
  return static_cast<unsigned char>((t >> s) | (t << ((8 - s) & 7)));
}
}  // namespace

void CZorEncryptFile::Decipher(const unsigned char abyKey[KEY_SIZE], unsigned char* pbyData,
                               int nSize) {
  if (pbyData == nullptr || nSize <= 0) return;
  int i = 0;
  // Groups of eight bytes, so that every rotation is a constant.
  for (; i + 8 <= nSize; i += 8) {
    unsigned char* p = pbyData + i;
    const unsigned char* pKey = abyKey + (i & (KEY_SIZE - 1));
    p[0] = static_cast<unsigned char>(p[0] ^ pKey[0]);
    p[1] = RotateRight(p[1] ^ pKey[1], 1);
    p[2] = RotateRight(p[2] ^ pKey[2], 2);
    p[3] = RotateRight(p[3] ^ pKey[3], 3);
    p[4] = RotateRight(p[4] ^ pKey[4], 4);
    p[5] = RotateRight(p[5] ^ pKey[5], 5);
    p[6] = RotateRight(p[6] ^ pKey[6], 6);
    p[7] = RotateRight(p[7] ^ pKey[7], 7);
  }
  for (; i < nSize; ++i) {
    pbyData[i] = RotateRight(pbyData[i] ^ abyKey[i & (KEY_SIZE - 1)], static_cast<unsigned>(i) & 7);
  }
}

bool CZorEncryptFile::Open(const char* pszPath) {
  if (pszPath == nullptr) return false;
  Close();
  long nLength = -1;
  FILE* pFile = OpenForImage(pszPath, nLength);
  if (pFile == nullptr) {
    if (LoadObserver() != nullptr) ObserveOpenFailure(pszPath);
    return false;
  }
  bool bRead = false;
  if (nLength > 0 && nLength < 0x7FFFFFFF) {
    m_nSize = static_cast<int32_t>(nLength);
    m_pbyData = static_cast<unsigned char*>(malloc(static_cast<size_t>(m_nSize) + 1));
    m_bOwnsData = true;
    bRead = m_pbyData != nullptr && fread(m_pbyData, 1, static_cast<size_t>(m_nSize), pFile) ==
                                        static_cast<size_t>(m_nSize);
  }
  fclose(pFile);
  if (!bRead) {
    Close();  // nothing half-read stays readable
    if (LoadObserver() != nullptr) ObserveOpenFailure(pszPath);
    return false;
  }
  if (LoadObserver() == nullptr) {
    Decipher(m_abyKey, m_pbyData, m_nSize);
    return true;
  }
  unsigned char abyRaw[256];
  size_t nRaw = static_cast<size_t>(m_nSize) < sizeof(abyRaw) ? static_cast<size_t>(m_nSize) : sizeof(abyRaw);
  memcpy(abyRaw, m_pbyData, nRaw);
  Decipher(m_abyKey, m_pbyData, m_nSize);
  ObserveEnciphered(pszPath, abyRaw, nRaw, GetBuffer(), static_cast<size_t>(m_nSize));
  return true;
}

int CZorEncryptFile::Read(void* pDestination, int nCount) {
  if (m_pbyData == nullptr || pDestination == nullptr || nCount <= 0) return 0;
  int nLeft = m_nSize - m_nPosition;
  int nCopy = nCount < nLeft ? nCount : nLeft;
  if (nCopy <= 0) return 0;
  memcpy(pDestination, m_pbyData + m_nPosition, static_cast<size_t>(nCopy));
  m_nPosition += nCopy;
  return nCopy;
}

void CZorEncryptFile::Close() {
  if (m_bOwnsData) free(m_pbyData);
  m_pbyData = nullptr;
  m_nSize = 0;
  m_nPosition = 0;
}

}  // namespace ZorGameBase
