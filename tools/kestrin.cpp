// kestrin check [DATA_DIR]: loads the tables of DATA_DIR through the module's exports, as the
// client does, and prints Create's answer and what the load wrote to the debug log.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {

int Check(const fs::path& dataDir) {
  std::error_code ec;
  if (!fs::is_directory(dataDir, ec)) {
    std::cerr << "kestrin: " << dataDir.string() << " is not a folder\n";
    return 2;
  }
  fs::current_path(dataDir);
  fs::remove_all("debug", ec);
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) {
    std::cerr << "kestrin: the module could not create its service\n";
    return 1;
  }
  int32_t nCreated = pData->Create();
  RoleBaseDataDestroy();
  std::cout << "Create: " << nCreated << "\n";
  int nLines = 0;
  for (const auto& entry : fs::directory_iterator("debug", ec)) {
    std::ifstream in(entry.path());
    for (std::string strLine; std::getline(in, strLine); ++nLines) std::cout << strLine << "\n";
  }
  std::cout << nLines << " log line(s)\n";
  return nCreated == 1 && nLines == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string strCommand = argc > 1 ? argv[1] : "";
  if (strCommand == "check" && argc <= 3) {
    return Check(argc == 3 ? fs::path(argv[2]) : fs::path(KESTRIN_EXAMPLE_DATA));
  }
  std::cerr << "usage: kestrin check [DATA_DIR]\n";
  return 2;
}
