// kestrin dat decode|encode: the .dat cipher both ways, so that designers author
// ini/GameMap.dat and ini/TerrainNpc.dat from readable text.
#include "DatCommand.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "DatCipher.h"
#include "DatContent.h"
#include "TextScan.h"
#include "ZorEncryptFile.h"

namespace {

// One file under two names (the same path spelt differently, a link): compared by the file
// system's identity of the files, not by the names.
bool SameFile(const std::string& strIn, const std::string& strOut, const char* pszCommand) {
  std::error_code ec;
  if (!std::filesystem::equivalent(strIn, strOut, ec)) return false;
  std::cerr << "kestrin dat " << pszCommand << ": " << strIn << " and " << strOut
            << " are the same file; the output would overwrite the input\n";
  return true;
}

bool ReadBytes(const std::string& strPath, std::string& strBytes) {
  return ZorGameBase::ReadFileImage(strPath.c_str(), strBytes, false);
}

bool WriteBytes(const std::string& strPath, const char* pData, size_t nSize) {
  std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
  out.write(pData, static_cast<std::streamsize>(nSize));
  out.close();
  return !out.fail();
}

}  // namespace

int RunDatDecode(const std::string& strIn, const std::string& strOut, bool bForce) {
  if (SameFile(strIn, strOut, "decode")) return 2;
  std::string strBytes;
  ZorGameBase::CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  if (!ReadBytes(strIn, strBytes) || !file.Open(strIn.c_str())) {
    std::cerr << "kestrin dat decode: cannot read " << strIn
              << " (missing, unreadable or empty: an empty .dat does not open)\n";
    return 1;
  }
  if (!bForce && TellDatContent(strBytes) == DatContent::Plain) {
    std::cerr << "kestrin dat decode: " << strIn
              << " is plain text already, not enciphered; --force deciphers it all the same\n";
    return 1;
  }
  if (!WriteBytes(strOut, file.GetBuffer(), static_cast<size_t>(file.GetSize()))) {
    std::cerr << "kestrin dat decode: cannot write " << strOut << "\n";
    return 1;
  }
  return 0;
}

int RunDatEncode(const std::string& strIn, const std::string& strOut, bool bForce) {
  if (SameFile(strIn, strOut, "encode")) return 2;
  std::string strPlain;
  if (!ReadBytes(strIn, strPlain)) {
    std::cerr << "kestrin dat encode: cannot read " << strIn << "\n";
    return 1;
  }
  if (strPlain.empty()) {
    std::cerr << "kestrin dat encode: " << strIn
              << " is empty; the module does not open an empty .dat file\n";
    return 1;
  }
  if (!bForce && TellDatContent(strPlain) == DatContent::Enciphered) {
    std::cerr << "kestrin dat encode: " << strIn
              << " is enciphered already (deciphered, it reads as table text); --force "
                 "enciphers it again\n";
    return 1;
  }
  if (!ZorTools::WriteDatFile(strOut.c_str(), strPlain)) {
    std::cerr << "kestrin dat encode: cannot write " << strOut << "\n";
    return 1;
  }
  return 0;
}
