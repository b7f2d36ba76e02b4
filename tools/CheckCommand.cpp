// kestrin check: loads every table of a data folder through the module, as the client does, and
// reports each table file, the diagnostics the load wrote to the debug log, and the load time.
#include "CheckCommand.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "DataFolder.h"
#include "TableViews.h"
#include "ZorPlatform.h"

namespace fs = std::filesystem;

namespace {

// One data file of the report.
struct Row {
  std::string strTable;
  std::string strFile;
  bool bPresent = false;
  uintmax_t nBytes = 0;
  int nEntries = 0;
  int nListed = -1;  // -1: not counted (files a table names)
  std::string strResult;
  int nDiagnostics = 0;
  std::string strCounts;
};

bool Readable(const std::string& strPath) {
  FILE* pFile = ZorPlatform::OpenRegularFile(strPath.c_str());
  if (pFile != nullptr) fclose(pFile);
  return pFile != nullptr;
}

bool AnyMessageHas(const std::vector<std::string>& messages, const std::string& strText) {
  for (const std::string& strMessage : messages) {
    if (strMessage.find(strText) != std::string::npos) return true;
  }
  return false;
}

// The loader's result as the interface and the log let it be seen: "missing", "not opened"
// (the file could not be opened or, for a .dat, deciphered), "not read" (ini/NpcX.ini after
// ini/Npc.ini failed: one loader reads both), or "opened".
std::string TableResult(const CTableView& view, const Row& row, const TableAnswer& answer,
                        int32_t nCreated, const std::vector<std::string>& messages) {
  std::string strPath = view.Path();
  if (!row.bPresent) return "missing";
  if (!Readable(strPath) || AnyMessageHas(messages, "error on open " + strPath + ".")) {
    return "not opened";
  }
  if (strPath == "ini/NpcX.ini" && AnyMessageHas(messages, "error on open ini/Npc.ini.")) {
    return "not read";
  }
  // Create answers whether ini/RolePartReplace.ini opened; the cameras and the dive record
  // exist only once their file opened.
  bool bHandsOut = strPath == "ini/CaptureCamera.ini" || strPath == "ini/3DBattleDive.ini";
  if ((strPath == "ini/RolePartReplace.ini" && nCreated == 0) ||
      (bHandsOut && answer.nAnswered == 0)) {
    return "not opened";
  }
  return "opened";
}

int CountFor(const std::vector<std::string>& messages, const std::string& strPath,
             const std::string& strLoader) {
  int nCount = 0;
  std::string strAssertion = "C3DRoleBaseData::" + strLoader + "]";
  for (const std::string& strMessage : messages) {
    bool bFile = strMessage.find(strPath) != std::string::npos;
    if (bFile || (!strLoader.empty() && strMessage.find(strAssertion) != std::string::npos))
      ++nCount;
  }
  return nCount;
}

Json RowJson(const Row& row) {
  Json json{
      {"table", JsonText(row.strTable)}, {"file", JsonText(row.strFile)},
      {"present", row.bPresent},         {"bytes", row.nBytes},
      {"entries", row.nEntries},         {"listed", row.nListed < 0 ? Json() : Json(row.nListed)},
      {"result", row.strResult},         {"diagnostics", row.nDiagnostics}};
  if (!row.strCounts.empty()) json["counts"] = row.strCounts;
  return json;
}

void PrintText(const std::string& strDataDir, const std::vector<Row>& rows, int32_t nCreated,
               const std::vector<std::pair<std::string, int>>& grouped, size_t nMessages,
               uintmax_t nLoadBytes, double dSeconds, int nStatus) {
  printf("Data folder %s\n\n", strDataDir.c_str());
  printf("%-20s %-28s %-8s %9s %8s %7s  %-11s %s\n", "table", "file", "state", "bytes", "entries",
         "listed", "result", "diagnostics");
  for (const Row& row : rows) {
    std::string strListed = row.nListed < 0 ? "-" : std::to_string(row.nListed);
    printf("%-20s %-28s %-8s %9ju %8d %7s  %-11s %d\n", DisplayText(row.strTable).c_str(),
           DisplayText(row.strFile).c_str(), row.bPresent ? "present" : "MISSING", row.nBytes,
           row.nEntries, strListed.c_str(), row.strResult.c_str(), row.nDiagnostics);
  }
  printf(
      "(listed: the keys the table's file lists; entries: those the module answers for, as\n"
      " kestrin dump --list says per table; result: what the interface and the log show of\n"
      " the loader's result)\n");
  printf("\nCreate answered %d.\n", nCreated);
  if (nMessages == 0) {
    printf("The load wrote nothing to the debug log.\n");
  } else {
    printf("The load wrote %zu record(s) to the debug log, %zu different:\n", nMessages,
           grouped.size());
    for (const auto& [strMessage, nCount] : grouped)
      printf("%6dx  %s\n", nCount, DisplayText(strMessage).c_str());
  }
  double dMegabytes = static_cast<double>(nLoadBytes) / 1e6;
  printf("\nLoaded %.3f MB in %.3f ms (%.1f MB/s).\n", dMegabytes, dSeconds * 1e3,
         dSeconds > 0 ? dMegabytes / dSeconds : 0.0);
  printf("%s\n", nStatus == 0 ? "OK: every table opened and no line was rejected."
                              : "NOT OK: a table is missing or was not opened, or lines were "
                                "rejected (see the diagnostics).");
}

}  // namespace

int RunCheck(const std::string& strDataDir, bool bJson) {
  if (!EnterDataFolder(strDataDir, "check")) return 2;
  TableViews views = MakeTableViews();
  std::vector<CTableView*> listed;
  for (auto& pView : views) listed.push_back(pView.get());
  ListKeysAside(listed);

  CDebugLogTail log;
  log.Mark();
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) {
    std::cerr << "kestrin check: the module could not create its service\n";
    return 1;
  }
  auto start = std::chrono::steady_clock::now();
  int32_t nCreated = pData->Create();
  double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // The track files are read on demand: asking for the frames is part of the check.
  std::vector<TableAnswer> answers(views.size());
  std::vector<NamedFile> named;
  for (size_t i = 0; i < views.size(); ++i) {
    views[i]->Answer(*pData, answers[i]);
    views[i]->NamedFiles(*pData, named);
  }
  std::vector<std::string> messages = log.NewMessages();
  RoleBaseDataDestroy();

  std::vector<Row> rows;
  uintmax_t nLoadBytes = 0;
  std::error_code ec;
  for (size_t i = 0; i < views.size(); ++i) {
    const CTableView& view = *views[i];
    Row row;
    row.strTable = view.Name();
    row.strFile = view.Path();
    row.bPresent = fs::is_regular_file(row.strFile, ec);
    row.nBytes = row.bPresent ? fs::file_size(row.strFile, ec) : 0;
    row.nEntries = answers[i].nAnswered;
    row.nListed = answers[i].nListed;
    row.strResult = TableResult(view, row, answers[i], nCreated, messages);
    row.nDiagnostics = CountFor(messages, row.strFile, view.Loader());
    row.strCounts = view.Counts();
    if (view.ReadByCreate()) nLoadBytes += row.nBytes;
    rows.push_back(row);
  }
  for (const NamedFile& file : named) {
    Row row;
    row.strTable = file.strOwner;
    row.strFile = file.strPath;
    row.bPresent = fs::is_regular_file(row.strFile, ec);
    row.nBytes = row.bPresent ? fs::file_size(row.strFile, ec) : 0;
    row.nEntries = file.nEntries;
    row.strResult = !row.bPresent ? "missing" : file.bRead ? "read" : "not read";
    row.nDiagnostics = CountFor(messages, row.strFile, "");
    row.strCounts = "frames the module read";
    rows.push_back(row);
  }

  // Messages grouped in the order they first appeared.
  std::vector<std::pair<std::string, int>> grouped;
  for (const std::string& strMessage : messages) {
    auto it = std::find_if(grouped.begin(), grouped.end(),
                           [&](const auto& group) { return group.first == strMessage; });
    if (it == grouped.end()) {
      grouped.emplace_back(strMessage, 1);
    } else {
      ++it->second;
    }
  }
  bool bAllOpened = std::all_of(rows.begin(), rows.end(), [](const Row& row) {
    return row.strResult == "opened" || row.strResult == "read";
  });
  int nStatus = bAllOpened && messages.empty() ? 0 : 1;

  if (!bJson) {
    PrintText(strDataDir, rows, nCreated, grouped, messages.size(), nLoadBytes, dSeconds, nStatus);
    return nStatus;
  }
  Json report;
  report["folder"] = JsonText(strDataDir);
  report["create"] = nCreated;
  report["tables"] = Json::array();
  for (const Row& row : rows) report["tables"].push_back(RowJson(row));
  report["diagnostics"] = Json::array();
  for (const auto& [strMessage, nCount] : grouped)
    report["diagnostics"].push_back({{"message", JsonText(strMessage)}, {"count", nCount}});
  report["records"] = messages.size();
  report["bytes"] = nLoadBytes;
  report["seconds"] = dSeconds;
  report["megabytes_per_second"] =
      dSeconds > 0 ? static_cast<double>(nLoadBytes) / 1e6 / dSeconds : 0.0;
  report["status"] = nStatus;
  std::cout << report.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  return nStatus;
}
