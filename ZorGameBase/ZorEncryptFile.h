#pragma once
// CZorEncryptFile: reads an enciphered ".dat" table whole into memory and unscrambles it in
// place. The scrambled file is as long as its plain text, with no header: byte i is plain byte
// i rotated left by i mod 8 bits and XORed with key byte i mod 128. The key depends only on the
// seed; every table file of the client is made with DAT_FILE_SEED.

#include <cstdint>

namespace ZorGameBase {

const unsigned DAT_FILE_SEED = 6142;

class CZorEncryptFile {
 public:
  static const int KEY_SIZE = 128;

  explicit CZorEncryptFile(unsigned nSeed);
  virtual ~CZorEncryptFile();
  CZorEncryptFile(const CZorEncryptFile&) = delete;
  CZorEncryptFile& operator=(const CZorEncryptFile&) = delete;

  // Reads the whole file (binary) and unscrambles it. False for a null path, a file that will
  // not open, an empty file or a short read; the object then holds nothing usable. No zero byte
  // is appended after the data.
  bool Open(const char* pszPath);
  // Copies up to nCount bytes from the read position onwards; the number copied (0 at the end,
  // for nothing loaded, and for a negative count).
  int Read(void* pDestination, int nCount);
  // Frees the data; safe to call at any time.
  void Close();

  const char* GetBuffer() const { return reinterpret_cast<const char*>(m_pbyData); }
  int GetSize() const { return m_nSize; }
  const unsigned char* GetKey() const { return m_abyKey; }

  // The key table of a seed: the low eight bits of the first 128 draws of the classic runtime
  // generator (state = state * 214013 + 2531011; draw = (state >> 16) & 0x7FFF).
  static void BuildKey(unsigned nSeed, unsigned char abyKey[KEY_SIZE]);
  // Unscrambles nSize bytes in place (nothing for null or nSize <= 0).
  static void Decipher(const unsigned char abyKey[KEY_SIZE], unsigned char* pbyData, int nSize);

 private:
  bool m_bOwnsData;
  unsigned char* m_pbyData;  // size + 1 bytes from malloc, or null
  int32_t m_nSize;
  int32_t m_nPosition;
  unsigned char m_abyKey[KEY_SIZE];
};

}  // namespace ZorGameBase
