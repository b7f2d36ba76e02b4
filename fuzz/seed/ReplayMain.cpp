// Runs a fuzz target's inputs without the fuzzer, in any build: each argument is an input file
// or a folder of them. The target stops the program on a finding, so a clean exit means every
// input passed; under valgrind or a sanitizer the same inputs meet those checks.
//
//   module_fuzz_replay fuzz/corpus/module_fuzz build/fuzz/corpus-long/module_fuzz
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pppArgv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  std::vector<fs::path> vecInputs;
  for (int i = 1; i < argc; ++i) {
    fs::path path = fs::absolute(argv[i]);  // the target may work in a folder of its own
    if (fs::is_directory(path)) {
      for (const auto& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file()) vecInputs.push_back(entry.path());
      }
    } else {
      vecInputs.push_back(path);
    }
  }
  LLVMFuzzerInitialize(&argc, &argv);
  for (const fs::path& input : vecInputs) {
    std::ifstream in(input, std::ios::binary);
    if (!in) {
      fprintf(stderr, "cannot read %s\n", input.string().c_str());
      return 2;
    }
    std::string strBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(strBytes.data()), strBytes.size());
  }
  printf("%zu inputs passed\n", vecInputs.size());
  return 0;
}
