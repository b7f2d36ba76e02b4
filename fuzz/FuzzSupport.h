#pragma once
// Fuzz targets hand their input to the readers as files. Each program works in a private folder
// that mirrors the folder it was started in (one link per entry, so libFuzzer's relative corpus
// and artifact paths still resolve); a plain file named "debug" there makes every debug-log
// write fail fast instead of growing a log in the source tree.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace FuzzSupport {

namespace fs = std::filesystem;

inline fs::path& StartFolder() {
  static fs::path s_path;
  return s_path;
}

inline fs::path& WorkFolder() {
  static fs::path s_path;
  return s_path;
}

inline void LeaveWorkFolder() {
  std::error_code ec;
  fs::current_path(StartFolder(), ec);
  fs::remove_all(WorkFolder(), ec);  // links are removed, never followed
}

inline void EnterWorkFolder() {
  if (!WorkFolder().empty()) return;
  std::random_device random;
  StartFolder() = fs::current_path();
  // A memory-backed folder where there is one: every run writes its input file.
  std::error_code ecShm;
  fs::path base =
      fs::is_directory("/dev/shm", ecShm) ? fs::path("/dev/shm") : fs::temp_directory_path();
  WorkFolder() = base / ("kestrin-fuzz-" + std::to_string(random()));
  fs::create_directories(WorkFolder());
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(StartFolder(), ec)) {
    if (entry.path().filename() == "debug") continue;
    fs::create_symlink(entry.path(), WorkFolder() / entry.path().filename(), ec);
  }
  std::ofstream(WorkFolder() / "debug") << "not a folder\n";
  fs::current_path(WorkFolder());
  atexit(LeaveWorkFolder);
}

// Enters the work folder with a real ini folder of its own in it, never a link to the start
// folder's: the tables a target writes stay in the work folder.
inline void EnterIniFolder() {
  static bool s_bReady = false;
  if (s_bReady) return;
  EnterWorkFolder();
  std::error_code ec;
  if (fs::is_symlink("ini", ec)) fs::remove("ini", ec);
  fs::create_directories("ini", ec);
  s_bReady = true;
}

// Writes the bytes to a file of the work folder; returns its name.
inline std::string WriteInput(const char* pszName, const void* pData, size_t nSize) {
  std::ofstream out(pszName, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(pData), static_cast<std::streamsize>(nSize));
  return pszName;
}
inline std::string WriteInput(const char* pszName, const std::string& strText) {
  return WriteInput(pszName, strText.data(), strText.size());
}

// Writes the text to the file, or with no text removes the file; true when the file is there.
inline bool PlaceFile(const char* pszPath, const std::string* pText) {
  std::error_code ec;
  fs::remove(pszPath, ec);
  if (pText != nullptr) WriteInput(pszPath, *pText);
  return pText != nullptr;
}

// A property every run must keep: stops the fuzzer with the input that broke it.
inline void Check(bool bCondition) {
  if (!bCondition) __builtin_trap();
}

// Each text field the client reads in place ends inside its field.
template <size_t... N>
void CheckTexts(const char (&... szFields)[N]) {
  (Check(memchr(szFields, '\0', N) != nullptr), ...);
}

// The pieces of an input cut at each 0x01 byte.
inline std::vector<std::string> Pieces(const uint8_t* pData, size_t nSize) {
  std::vector<std::string> vecPieces(1);
  for (size_t i = 0; i < nSize; ++i) {
    if (pData[i] == 0x01) {
      vecPieces.emplace_back();
    } else {
      vecPieces.back() += static_cast<char>(pData[i]);
    }
  }
  return vecPieces;
}

}  // namespace FuzzSupport

// The fuzzer's start for targets that only need the work folder.
#define FUZZ_IN_WORK_FOLDER                                   \
  extern "C" int LLVMFuzzerInitialize(int*, char***) {     \
    FuzzSupport::EnterWorkFolder();                         \
    return 0;                                               \
  }
