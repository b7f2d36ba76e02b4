#include "DatContent.h"

#include <string>

#include "ZorEncryptFile.h"

namespace {

// Bytes that table text does not hold: control bytes other than tab, line breaks and the
// end-of-file mark, DEL, and the bytes above 0x7F that are not part of a GBK pair.
size_t CountNoise(std::string_view bytes) {
  size_t nNoise = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char by = static_cast<unsigned char>(bytes[i]);
    if (by < 0x20) {
      nNoise += by == '\t' || by == '\n' || by == '\r' || by == 0x1A ? 0 : 1;
    } else if (by == 0x7F || by == 0x80 || by == 0xFF) {
      ++nNoise;
    } else if (by > 0x80) {
      unsigned char byTrail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
      if (byTrail >= 0x40 && byTrail != 0x7F && byTrail != 0xFF) {
        ++i;
      } else {
        ++nNoise;
      }
    }
  }
  return nNoise;
}

// Text allows a stray odd byte in fifty; enciphered text has about one in eight.
bool ReadsAsText(std::string_view bytes) { return CountNoise(bytes) * 50 <= bytes.size(); }

}  // namespace

DatContent TellDatContent(std::string_view fileBytes) {
  const size_t SAMPLE_SIZE = 64 * 1024;  // enough to tell, and within the cipher's int sizes
  std::string_view sample = fileBytes.substr(0, SAMPLE_SIZE);
  std::string strDeciphered(sample);
  unsigned char abyKey[ZorGameBase::CZorEncryptFile::KEY_SIZE];
  ZorGameBase::CZorEncryptFile::BuildKey(ZorGameBase::DAT_FILE_SEED, abyKey);
  ZorGameBase::CZorEncryptFile::Decipher(abyKey,
                                         reinterpret_cast<unsigned char*>(strDeciphered.data()),
                                         static_cast<int>(strDeciphered.size()));
  bool bPlain = ReadsAsText(sample);
  bool bDeciphered = ReadsAsText(strDeciphered);
  if (bPlain == bDeciphered) return DatContent::Unclear;
  return bPlain ? DatContent::Plain : DatContent::Enciphered;
}
