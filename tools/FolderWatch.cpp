#include "FolderWatch.h"

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#if defined(__linux__)
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

volatile std::sig_atomic_t g_bInterrupted = 0;

extern "C" void OnInterrupt(int) { g_bInterrupted = 1; }

const int POLL_MILLISECONDS = 500;
const int SETTLE_MILLISECONDS = 200;  // one save's writes, renames and closes end within this

}  // namespace

CFolderWatch::CFolderWatch(fs::path folder) : m_folder(std::move(folder)) {
  g_bInterrupted = 0;
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
#if defined(__linux__)
  m_nNotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
#endif
  AddWatches();
  m_snapshot = Take();
}

CFolderWatch::~CFolderWatch() {
#if defined(__linux__)
  if (m_nNotify >= 0) close(m_nNotify);
#endif
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

void CFolderWatch::AddWatches() {
#if defined(__linux__)
  const uint32_t EVENTS = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE |
                          IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
  // A folder watched twice keeps one watch; ini/ made after the start is watched from the next
  // change of the folder on.
  if (m_nNotify >= 0) {
    inotify_add_watch(m_nNotify, m_folder.c_str(), EVENTS);
    inotify_add_watch(m_nNotify, (m_folder / "ini").c_str(), EVENTS);
  }
#endif
}

bool CFolderWatch::NotifiedWithin(int nMilliseconds) {
#if defined(__linux__)
  pollfd waiting{m_nNotify, POLLIN, 0};
  if (poll(&waiting, 1, nMilliseconds) <= 0) return false;
  alignas(inotify_event) char abyEvents[4096];
  bool bChange = false;
  ssize_t nRead;
  while ((nRead = read(m_nNotify, abyEvents, sizeof(abyEvents))) > 0) {
    for (ssize_t nAt = 0; nAt < nRead;) {
      const inotify_event* pEvent = reinterpret_cast<const inotify_event*>(abyEvents + nAt);
      // The debug log is written by every load: a change there is no change of a table.
      bChange |= pEvent->len == 0 || std::string(pEvent->name) != "debug";
      nAt += static_cast<ssize_t>(sizeof(inotify_event) + pEvent->len);
    }
  }
  return bChange;
#else
  (void)nMilliseconds;
  return false;
#endif
}

CFolderWatch::Snapshot CFolderWatch::Take() const {
  Snapshot snapshot;
  std::error_code ec;
  for (fs::directory_iterator it(m_folder / "ini", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ecFile;
    uintmax_t nSize = it->file_size(ecFile);
    auto time = it->last_write_time(ecFile);
    snapshot[it->path()] = {nSize, static_cast<int64_t>(time.time_since_epoch().count())};
  }
  return snapshot;
}

CFolderWatch::Outcome CFolderWatch::Wait() {
  while (!g_bInterrupted) {
    bool bChanged;
    if (m_nNotify >= 0) {
      bChanged = NotifiedWithin(POLL_MILLISECONDS);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(POLL_MILLISECONDS));
      bChanged = Take() != m_snapshot;
    }
    if (!bChanged) continue;
    if (m_nNotify >= 0) {
      while (NotifiedWithin(SETTLE_MILLISECONDS) && !g_bInterrupted) {
      }
      AddWatches();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(SETTLE_MILLISECONDS));
    }
    m_snapshot = Take();
    return g_bInterrupted ? INTERRUPTED : CHANGED;
  }
  return INTERRUPTED;
}
