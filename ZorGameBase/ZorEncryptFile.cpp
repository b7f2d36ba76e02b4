#include "ZorEncryptFile.h"

#include "LoadObserver.h"
#include "ZorRandom.h"

#include <cstdint>
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

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// Each byte of the word rotated right by nShift, where nMask marks the bytes to rotate.
inline uint64_t RotateBytes(uint64_t nWord, unsigned nShift, uint64_t nMask) {
  const uint64_t ONES = 0x0101010101010101ull;
  uint64_t nRotated = ((nWord >> nShift) & (ONES * (0xFFu >> nShift))) |
                      ((nWord << (8 - nShift)) & (ONES * ((0xFFu << (8 - nShift)) & 0xFFu)));
  return (nWord & ~nMask) | (nRotated & nMask);
}

// Eight bytes deciphered at once: byte j of the group rotates by j, made of rotations by 1
// (odd bytes), 2 (bytes 2, 3, 6, 7) and 4 (bytes 4 to 7).
inline void DecipherGroup(unsigned char* p, const unsigned char* pKey) {
  uint64_t nWord, nKey;
  memcpy(&nWord, p, 8);
  memcpy(&nKey, pKey, 8);
  nWord ^= nKey;
  nWord = RotateBytes(nWord, 1, 0xFF00FF00FF00FF00ull);
  nWord = RotateBytes(nWord, 2, 0xFFFF0000FFFF0000ull);
  nWord = RotateBytes(nWord, 4, 0xFFFFFFFF00000000ull);
  memcpy(p, &nWord, 8);
}
#else
inline void DecipherGroup(unsigned char* p, const unsigned char* pKey) {
  p[0] = static_cast<unsigned char>(p[0] ^ pKey[0]);
  for (unsigned j = 1; j < 8; ++j) p[j] = RotateRight(p[j] ^ pKey[j], j);
}
#endif
}  // namespace

void CZorEncryptFile::Decipher(const unsigned char abyKey[KEY_SIZE], unsigned char* pbyData,
                               int nSize) {
  if (pbyData == nullptr || nSize <= 0) return;
  int i = 0;
  for (; i + 8 <= nSize; i += 8) DecipherGroup(pbyData + i, abyKey + (i & (KEY_SIZE - 1)));
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
