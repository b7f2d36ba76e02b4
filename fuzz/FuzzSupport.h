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
inline std::string WriteInput(const char* pszName, const uint8_t* pData, size_t nSize) {
  std::ofstream out(pszName, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(nSize));
  return pszName;
}

}  // namespace FuzzSupport
