#pragma once
// Fuzz targets hand their input to the readers as files. Each program works in a private folder
// that mirrors the folder it was started in (one link per entry, so libFuzzer's relative corpus
// and artifact paths still resolve); a plain file named "debug" there makes every debug-log
// write fail fast instead of growing a log in the source tree.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace FuzzSupport {

namespace fs = std::filesystem;

inline fs::path g_startFolder;
inline fs::path g_workFolder;

inline void LeaveWorkFolder() {
  std::error_code ec;
  fs::current_path(g_startFolder, ec);
  fs::remove_all(g_workFolder, ec);  // links are removed, never followed
}

inline void EnterWorkFolder() {
  if (!g_workFolder.empty()) return;
  g_startFolder = fs::current_path();
  // A memory-backed folder where there is one: every run writes its input files.
  std::error_code ec;
  fs::path base =
      fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  g_workFolder = base / ("kestrin-fuzz-" + std::to_string(std::random_device()()));
  fs::create_directories(g_workFolder);
  for (const auto& entry : fs::directory_iterator(g_startFolder, ec)) {
    if (entry.path().filename() == "debug") continue;
    fs::create_symlink(entry.path(), g_workFolder / entry.path().filename(), ec);
  }
  std::ofstream(g_workFolder / "debug") << "not a folder\n";
  fs::current_path(g_workFolder);
  atexit(LeaveWorkFolder);
}

// Writes the bytes to a file of the work folder; returns its name.
inline std::string WriteInput(const char* pszName, const void* pData, size_t nSize) {
  std::ofstream out(pszName, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(pData), static_cast<std::streamsize>(nSize));
  return pszName;
}

// A property every run must keep: stops the fuzzer with the input that broke it.
inline void Check(bool bCondition) {
  if (!bCondition) __builtin_trap();
}

// Targets that serve several readers take the reader from the first byte: '0' the first, '1'
// the second and so on (any byte picks one), so that seeds keep a readable tag.
inline size_t Pick(uint8_t byTag, size_t nCount) {
  return static_cast<uint8_t>(byTag - '0') % nCount;
}

}  // namespace FuzzSupport

// The fuzzer's start: every target works in the work folder.
#define FUZZ_IN_WORK_FOLDER                            \
  extern "C" int LLVMFuzzerInitialize(int*, char***) { \
    FuzzSupport::EnterWorkFolder();                    \
    return 0;                                          \
  }
