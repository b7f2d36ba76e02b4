#pragma once
// The enciphering side of the ".dat" table format, for tools and tests: the module only reads
// such files (CZorEncryptFile).

#include <string>

#include "ZorEncryptFile.h"

namespace ZorTools {

// Scrambles nSize bytes in place so that CZorEncryptFile with the same seed gives them back.
void EncipherBytes(unsigned char* pbyData, size_t nSize,
                   unsigned nSeed = ZorGameBase::DAT_FILE_SEED);
// The scrambled form of a plain text.
std::string EncipherText(const std::string& strPlain, unsigned nSeed = ZorGameBase::DAT_FILE_SEED);
// Writes the scrambled form of a plain text to a file; false when it cannot be written.
bool WriteDatFile(const char* pszPath, const std::string& strPlain,
                  unsigned nSeed = ZorGameBase::DAT_FILE_SEED);

}  // namespace ZorTools
