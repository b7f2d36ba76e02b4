#pragma once
// POSIX only.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

// A FIFO in place of a file. A reader that waits for a writer would hang the test for ever: after
// some seconds (long enough for a slow run under valgrind to finish first, as the guard could
// otherwise meet a reader that merely looks) the guard opens the FIFO as that writer and closes
// it again, so the reader sees an empty file and goes on, and the guard tells that it had to.
class CFifoGuard {
 public:
  explicit CFifoGuard(const std::filesystem::path& path, int nSeconds = 20)
      : m_path(path), m_nSeconds(nSeconds) {
    m_bMade = mkfifo(path.string().c_str(), 0600) == 0;
    if (m_bMade) m_watch = std::thread([this] { Watch(); });
  }
  ~CFifoGuard() {
    m_bDone = true;
    if (m_watch.joinable()) m_watch.join();
    std::error_code ec;
    if (m_bMade) std::filesystem::remove(m_path, ec);
  }
  bool Made() const { return m_bMade; }
  bool ReaderWaited() const { return m_bReaderWaited; }

 private:
  void Watch() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(m_nSeconds);
    while (!m_bDone) {
      if (std::chrono::steady_clock::now() >= deadline) {
        // Succeeds only while a reader holds the FIFO open.
        int nFile = open(m_path.string().c_str(), O_WRONLY | O_NONBLOCK);
        if (nFile >= 0) {
          m_bReaderWaited = true;
          close(nFile);
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  std::filesystem::path m_path;
  int m_nSeconds;
  bool m_bMade = false;
  std::atomic<bool> m_bDone{false};
  std::atomic<bool> m_bReaderWaited{false};
  std::thread m_watch;
};
