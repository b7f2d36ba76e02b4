#include "CheckCommand.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "I3DRoleBaseData.h"
#include "TableFiles.h"

namespace fs = std::filesystem;

namespace {

// Sizes of the debug log files before the load, so that only this load's records are read.
std::map<fs::path, uintmax_t> LogSizes() {
  std::map<fs::path, uintmax_t> sizes;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("debug", ec)) {
    if (entry.is_regular_file(ec)) sizes[entry.path()] = entry.file_size(ec);
  }
  return sizes;
}

// The messages appended since the sizes were taken, without their " -- time" stamps.
std::vector<std::string> NewMessages(const std::map<fs::path, uintmax_t>& before) {
  std::vector<std::string> messages;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("debug", ec)) {
    auto it = before.find(entry.path());
    std::ifstream in(entry.path(), std::ios::binary);
    if (it != before.end()) in.seekg(static_cast<std::streamoff>(it->second));
    std::stringstream text;
    text << in.rdbuf();
    std::string strRecord;
    std::istringstream lines(text.str());
    for (std::string strLine; std::getline(lines, strLine);) {
      // A record ends with " -- Www Mmm dd hh:mm:ss yyyy"; a message may span lines.
      size_t nStamp = strLine.rfind(" -- ");
      bool bEnd = nStamp != std::string::npos && strLine.size() - nStamp == 4 + 24;
      strRecord += bEnd ? strLine.substr(0, nStamp) : strLine + "\n";
      if (bEnd) {
        messages.push_back(strRecord);
        strRecord.clear();
      }
    }
    if (!strRecord.empty()) messages.push_back(strRecord);
  }
  return messages;
}

}  // namespace

int RunCheck(const std::string& strDataDir, bool bJson) {
  std::error_code ec;
  if (!fs::is_directory(strDataDir, ec)) {
    std::cerr << "kestrin check: " << strDataDir << " is not a folder\n";
    return 2;
  }
  fs::current_path(strDataDir, ec);
  if (ec) {
    std::cerr << "kestrin check: cannot enter " << strDataDir << ": " << ec.message() << "\n";
    return 2;
  }
  auto logBefore = LogSizes();
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) {
    std::cerr << "kestrin check: the module could not create its service\n";
    return 1;
  }
  auto start = std::chrono::steady_clock::now();
  int32_t nCreated = pData->Create();
  double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RoleBaseDataDestroy();
  std::vector<std::string> messages = NewMessages(logBefore);

  nlohmann::ordered_json report;
  report["folder"] = strDataDir;
  report["create"] = nCreated;
  uintmax_t nTotalBytes = 0;
  int nMissing = 0;
  for (const TableFile& file : TableFiles()) {
    bool bPresent = fs::is_regular_file(file.pszPath, ec);
    uintmax_t nBytes = bPresent ? fs::file_size(file.pszPath, ec) : 0;
    int nDiagnostics = 0;
    for (const std::string& strMessage : messages) {
      if (strMessage.find(file.pszPath) != std::string::npos) ++nDiagnostics;
    }
    nTotalBytes += nBytes;
    nMissing += bPresent ? 0 : 1;
    report["tables"].push_back({{"file", file.pszPath},
                                {"present", bPresent},
                                {"bytes", nBytes},
                                {"diagnostics", nDiagnostics}});
  }
  std::map<std::string, int> grouped;
  for (const std::string& strMessage : messages) ++grouped[strMessage];
  report["diagnostics"] = nlohmann::ordered_json::array();
  for (const auto& [strMessage, nCount] : grouped)
    report["diagnostics"].push_back({{"message", strMessage}, {"count", nCount}});
  report["seconds"] = dSeconds;
  report["megabytes_per_second"] = dSeconds > 0 ? nTotalBytes / 1e6 / dSeconds : 0.0;
  int nStatus = nMissing == 0 && messages.empty() ? 0 : 1;
  report["status"] = nStatus;

  if (bJson) {
    std::cout << report.dump(2) << "\n";
    return nStatus;
  }
  printf("%-28s %-8s %10s %12s\n", "table file", "state", "bytes", "diagnostics");
  for (const auto& row : report["tables"]) {
    printf("%-28s %-8s %10ju %12d\n", row["file"].get<std::string>().c_str(),
           row["present"].get<bool>() ? "present" : "MISSING", row["bytes"].get<uintmax_t>(),
           row["diagnostics"].get<int>());
  }
  printf("\nCreate answered %d.\n", nCreated);
  printf("%zu diagnostic record(s) in the debug log:\n", messages.size());
  for (const auto& [strMessage, nCount] : grouped) printf("  %4dx  %s\n", nCount, strMessage.c_str());
  printf("\nLoaded %.3f MB in %.3f ms (%.1f MB/s).\n", nTotalBytes / 1e6, dSeconds * 1e3,
         dSeconds > 0 ? nTotalBytes / 1e6 / dSeconds : 0.0);
  printf("%s\n", nStatus == 0 ? "OK: every table opened and no line was rejected."
                              : "NOT OK: a table is missing or lines were rejected.");
  return nStatus;
}
