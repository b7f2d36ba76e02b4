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

#if defined(__GNUC__) && (__GNUC__ >= 9 || defined(__clang__))
// Sixteen bytes deciphered at once (vector registers where the target has them). Byte j, taken
// to 16 bits and multiplied by 2^(8 - j % 8), holds its right rotation by j % 8 split over the
// two halves: their union, cut back to 8 bits, is the rotated byte.
typedef uint8_t Bytes __attribute__((vector_size(16)));
typedef uint16_t Wides __attribute__((vector_size(32)));
const size_t GROUP = 16;

inline void DecipherGroup(unsigned char* p, const unsigned char* pKey) {
  const Wides SCALES = {256, 128, 64, 32, 16, 8, 4, 2, 256, 128, 64, 32, 16, 8, 4, 2};
  Bytes bytes, key;
  memcpy(&bytes, p, GROUP);
  memcpy(&key, pKey, GROUP);
  Wides wides = __builtin_convertvector(bytes ^ key, Wides) * SCALES;
  bytes = __builtin_convertvector(wides | (wides >> 8), Bytes);
  memcpy(p, &bytes, GROUP);
}
#else
// Eight bytes, so that every rotation is a constant.
const size_t GROUP = 8;

inline void DecipherGroup(unsigned char* p, const unsigned char* pKey) {
  p[0] = static_cast<unsigned char>(p[0] ^ pKey[0]);
  p[1] = RotateRight(p[1] ^ pKey[1], 1);
  p[2] = RotateRight(p[2] ^ pKey[2], 2);
  p[3] = RotateRight(p[3] ^ pKey[3], 3);
  p[4] = RotateRight(p[4] ^ pKey[4], 4);
  p[5] = RotateRight(p[5] ^ pKey[5], 5);
  p[6] = RotateRight(p[6] ^ pKey[6], 6);
  p[7] = RotateRight(p[7] ^ pKey[7], 7);
}
#endif
}  // namespace

void CZorEncryptFile::Decipher(const unsigned char abyKey[KEY_SIZE], unsigned char* pbyData,
                               int nSize) {
  if (pbyData == nullptr || nSize <= 0) return;
  int i = 0;
  // A group starts at a multiple of its size, inside the key and at a byte that rotates by 0.
  const int nGroup = static_cast<int>(GROUP);
  for (; i + nGroup <= nSize; i += nGroup) DecipherGroup(pbyData + i, abyKey + (i & (KEY_SIZE - 1)));
  for (; i < nSize; ++i) {
    pbyData[i] = RotateRight(pbyData[i] ^ abyKey[i & (KEY_SIZE - 1)], static_cast<unsigned>(i) & 7);
  }
}

bool CZorEncryptFile::Open(const char* pszPath) {
  if (pszPath == nullptr) return false;
  Close();
  size_t nLength = 0;
  ZorPlatform::FileHandle hFile = OpenWhole(pszPath, nLength);
  if (hFile == ZorPlatform::NO_FILE) {
    if (LoadObserver() != nullptr) ObserveOpenFailure(pszPath);
    return false;
  }
  bool bRead = false;
  if (nLength > 0 && nLength < 0x7FFFFFFF) {
    m_nSize = static_cast<int32_t>(nLength);
    m_pbyData = static_cast<unsigned char*>(malloc(nLength + 1));
    m_bOwnsData = true;
    bRead = m_pbyData != nullptr && ReadAll(hFile, reinterpret_cast<char*>(m_pbyData), nLength);
  }
  ZorPlatform::CloseFile(hFile);
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
