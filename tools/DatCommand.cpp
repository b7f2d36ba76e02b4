// kestrin dat decode|encode: the .dat cipher both ways, so that designers author
// ini/GameMap.dat and ini/TerrainNpc.dat from readable text.
#include "DatCommand.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "DatCipher.h"
#include "TextScan.h"
#include "ZorEncryptFile.h"

namespace {

bool IsFile(const std::string& strPath) {
  std::error_code ec;
  return std::filesystem::is_regular_file(strPath, ec);
}

bool WriteBytes(const std::string& strPath, const char* pData, size_t nSize) {
  std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
  out.write(pData, static_cast<std::streamsize>(nSize));
  out.close();
  return !out.fail();
}

}  // namespace

int RunDatDecode(const std::string& strIn, const std::string& strOut) {
  ZorGameBase::CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  if (!IsFile(strIn) || !file.Open(strIn.c_str())) {
    std::cerr << "kestrin dat decode: cannot read " << strIn
              << " (missing, unreadable or empty: an empty .dat does not open)\n";
    return 1;
  }
  if (!WriteBytes(strOut, file.GetBuffer(), static_cast<size_t>(file.GetSize()))) {
    std::cerr << "kestrin dat decode: cannot write " << strOut << "\n";
    return 1;
  }
  return 0;
}

int RunDatEncode(const std::string& strIn, const std::string& strOut) {
  std::string strPlain;
  if (!ZorGameBase::ReadFileImage(strIn.c_str(), strPlain, false)) {
    std::cerr << "kestrin dat encode: cannot read " << strIn << "\n";
    return 1;
  }
  if (strPlain.empty()) {
    std::cerr << "kestrin dat encode: " << strIn
              << " is empty; the module does not open an empty .dat file\n";
    return 1;
  }
  if (!ZorTools::WriteDatFile(strOut.c_str(), strPlain)) {
    std::cerr << "kestrin dat encode: cannot write " << strOut << "\n";
    return 1;
  }
  return 0;
}
