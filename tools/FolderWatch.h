#pragma once
// Waits for a data folder's tables to change: inotify on Linux, a look at the files' sizes and
// times twice a second elsewhere (Windows). Watches ini/ and the folder itself, not debug/,
// where each load writes its log. Ctrl-C (SIGINT, or SIGTERM) ends a wait. Nothing here throws.
#include <cstdint>
#include <filesystem>
#include <map>
#include <utility>

class CFolderWatch {
 public:
  enum Outcome { CHANGED, INTERRUPTED };

  // Installs the interrupt handlers; the folder should be absolute.
  explicit CFolderWatch(std::filesystem::path folder);
  ~CFolderWatch();
  CFolderWatch(const CFolderWatch&) = delete;
  CFolderWatch& operator=(const CFolderWatch&) = delete;

  // Returns once something changed since the last return (the burst of writes one save makes
  // ends first), or when the user interrupts.
  Outcome Wait();

 private:
  using Snapshot = std::map<std::filesystem::path, std::pair<uintmax_t, int64_t>>;
  Snapshot Take() const;
  void AddWatches();
  // True when inotify reported a change within nMilliseconds.
  bool NotifiedWithin(int nMilliseconds);

  std::filesystem::path m_folder;
  int m_nNotify = -1;  // the inotify descriptor; -1: polling
  Snapshot m_snapshot;
};
