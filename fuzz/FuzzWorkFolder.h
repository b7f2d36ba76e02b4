#pragma once
// For LLVMFuzzerInitialize: moves a fuzz target into a folder of its own, so that the debug
// log (./debug of the working folder) never lands in the caller's tree. A file named "debug"
// there makes every log append fail quietly: logging costs no disc writes while fuzzing.
// Corpus folders and path flags given relative to the caller's folder are made absolute first;
// libFuzzer reads its arguments after LLVMFuzzerInitialize returns.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline void EnterFuzzWorkFolder(const char* pszName, int* pArgc, char*** pArgv) {
  namespace fs = std::filesystem;
  static std::vector<std::string> s_args;
  static std::vector<char*> s_argv;
  const char* const apszPathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict="};
  for (int i = 0; i < *pArgc; ++i) {
    std::string strArg = (*pArgv)[i];
    if (i > 0 && !strArg.empty() && strArg[0] != '-') strArg = fs::absolute(strArg).string();
    for (const char* pszFlag : apszPathFlags) {
      std::string strFlag = pszFlag;
      if (strArg.compare(0, strFlag.size(), strFlag) == 0 && strArg.size() > strFlag.size())
        strArg = strFlag + fs::absolute(strArg.substr(strFlag.size())).string();
    }
    s_args.push_back(strArg);
  }
  for (std::string& strArg : s_args) s_argv.push_back(strArg.data());
  s_argv.push_back(nullptr);
  *pArgv = s_argv.data();
  fs::path folder = fs::temp_directory_path() / (std::string("kestrin-") + pszName);
  fs::create_directories(folder);
  fs::current_path(folder);
  if (!fs::exists("debug")) std::ofstream("debug") << "log writes disabled while fuzzing\n";
}
