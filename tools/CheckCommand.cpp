// kestrin check: loads a data folder through the module with its load observer attached; the
// counts come from the module's table registry, the findings from its loaders.
#include "CheckCommand.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <thread>

#include "3DRoleBaseData.h"
#include "CheckFindings.h"
#include "CheckReport.h"
#include "DataFolder.h"
#include "DebugLog.h"
#include "TableRegistry.h"
#include "Terminal.h"

namespace fs = std::filesystem;

namespace {

// Says on stderr, at a terminal, that a load is under way once it has taken a second.
class CProgress {
 public:
  explicit CProgress(const std::string& strDataDir) {
    if (!StderrIsTerminal()) return;
    m_thread = std::thread([this, strDataDir] {
      std::unique_lock<std::mutex> lock(m_mutex);
      if (m_done.wait_for(lock, std::chrono::seconds(1), [this] { return m_bDone; })) return;
      fprintf(stderr, "kestrin check: loading %s ...", strDataDir.c_str());
      m_done.wait(lock, [this] { return m_bDone; });
      fprintf(stderr, " done\n");
    });
  }
  ~CProgress() {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_bDone = true;
    }
    m_done.notify_all();
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_done;
  bool m_bDone = false;
  std::thread m_thread;
};

// The process's peak resident size in kilobytes, where the system tells it (0 elsewhere).
size_t PeakResidentKb() {
  FILE* pFile = fopen("/proc/self/status", "r");
  if (pFile == nullptr) return 0;
  size_t nKilobytes = 0;
  char szLine[256];
  while (fgets(szLine, sizeof(szLine), pFile) != nullptr) {
    if (sscanf(szLine, "VmHWM: %zu", &nKilobytes) == 1) break;
  }
  fclose(pFile);
  return nKilobytes;
}

}  // namespace

int CheckDataFolder(const std::string& strDataDir, const char* pszCommand, bool bStrict,
                    CheckSummary& summary,
                    const std::function<void(I3DRoleBaseData&)>& fnLoaded) {
  auto checkStart = std::chrono::steady_clock::now();
  const std::vector<RegisteredTable>& registered = CTableRegistry::Tables();
  CFindingCollector collector;
  I3DRoleBaseData* pData = nullptr;
  {
    CProgress progress(strDataDir);
    auto start = std::chrono::steady_clock::now();
    int nExitCode = 0;
    pData = LoadDataFolder(strDataDir, pszCommand, nExitCode, [&] {
      ZorGameBase::SetLoadObserver(&collector);
      if (!ZorGameBase::DebugLogWritable()) {
        ZorGameBase::ReportFindingAtLine(ZorGameBase::RULE_LOG_UNWRITABLE, "debug", 0, 0,
                                         "the debug log cannot be written in ./debug/");
      }
      summary = CheckSummary();
      summary.strDataDir = strDataDir;
    });
    if (pData == nullptr) {
      ZorGameBase::SetLoadObserver(nullptr);
      return nExitCode;
    }
    summary.dCreateSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    summary.nCreatePeakKb = PeakResidentKb();
    // What the client reads on demand is part of the check: the dive camera and the tracks.
    pData->GetBattleDiveInfo();
  }
  const C3DRoleBaseData& data = *static_cast<C3DRoleBaseData*>(pData);
  std::vector<std::string> files;
  std::error_code ec;
  for (size_t i = 0; i < registered.size(); ++i) {
    CheckedTable table;
    table.strName = registered[i].pszName;
    table.strFile = registered[i].pszFile;
    table.bPresent = fs::is_regular_file(table.strFile, ec);
    table.nEntries = CTableRegistry::Count(data, i);
    if (table.strName == "CameraTrack") {
      CTableRegistry::ForEachKey(data, i, [&](int64_t, std::string_view name) {
        pData->GetCameraTrackFrames(std::string(name).c_str());
      });
    }
    summary.tables.push_back(table);
    files.push_back(table.strFile);
  }
  CTableRegistry::ObserveCrossTables(data);
  ZorGameBase::SetLoadObserver(nullptr);
  if (fnLoaded) fnLoaded(*pData);
  RoleBaseDataDestroy();

  summary.findings = collector.Sorted(files);
  bool bAllOpened = true;
  for (CheckedTable& table : summary.tables) {
    bAllOpened &= table.bPresent;
    for (const ZorGameBase::LoadFinding& finding : summary.findings) {
      table.nFindings += finding.strFile == table.strFile ? 1 : 0;
    }
  }
  for (const ZorGameBase::LoadFinding& finding : summary.findings) {
    (finding.severity == ZorGameBase::FINDING_ERROR ? summary.nErrors : summary.nWarnings) += 1;
  }
  bool bFailed = !bAllOpened || summary.nErrors > 0 || (bStrict && summary.nWarnings > 0);
  summary.nStatus = bFailed ? 1 : 0;
  summary.dCheckSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - checkStart).count();
  summary.nCheckPeakKb = PeakResidentKb();
  return 0;
}

int RunCheck(const std::string& strDataDir, const std::string& strFormat, bool bStrict) {
  CheckSummary summary;
  int nResult = CheckDataFolder(strDataDir, "check", bStrict, summary, {});
  if (nResult != 0) return nResult;
  bool bColour = strFormat == "text" && ColourWanted(stdout);
  PrintCheckReport(summary, strFormat, bColour, stdout);
  if (fflush(stdout) != 0 || ferror(stdout)) {
    std::cerr << "kestrin check: the report could not be written\n";
    return 1;
  }
  return summary.nStatus;
}
