// encipher_dat PLAIN DAT [PLAIN DAT ...]: writes each readable table source as the enciphered
// .dat file that the module reads.
// encipher_dat --check PLAIN DAT [...]: exit status 1 when a .dat is not its source enciphered.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "DatCipher.h"

namespace {

bool ReadFile(const char* pszPath, std::string& strText) {
  std::ifstream in(pszPath, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  strText = text.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  bool bCheck = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  int nFirst = bCheck ? 2 : 1;
  if (argc <= nFirst || (argc - nFirst) % 2 != 0) {
    std::fprintf(stderr, "usage: encipher_dat [--check] PLAIN DAT [PLAIN DAT ...]\n");
    return 2;
  }
  int nStatus = 0;
  for (int i = nFirst; i < argc; i += 2) {
    std::string strPlain, strDat;
    if (!ReadFile(argv[i], strPlain)) {
      std::fprintf(stderr, "encipher_dat: cannot read %s\n", argv[i]);
      return 2;
    }
    if (!bCheck) {
      if (!ZorTools::WriteDatFile(argv[i + 1], strPlain)) {
        std::fprintf(stderr, "encipher_dat: cannot write %s\n", argv[i + 1]);
        return 2;
      }
    } else if (!ReadFile(argv[i + 1], strDat) || strDat != ZorTools::EncipherText(strPlain)) {
      std::fprintf(stderr,
                   "encipher_dat: %s is not %s enciphered; rebuild the target example_data\n",
                   argv[i + 1], argv[i]);
      nStatus = 1;
    }
  }
  return nStatus;
}
