// kestrin dump: one whole table as the module answers it, for diffing two releases' data.
#include "DumpCommand.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "DataFolder.h"
#include "TableViews.h"

int RunDump(const std::string& strDataDir, const std::string& strTable) {
  TableViews views = MakeTableViews();
  CTableView* pView = nullptr;
  for (auto& pCandidate : views) {
    if (strTable == pCandidate->Name() || strTable == pCandidate->Path()) pView = pCandidate.get();
  }
  if (pView == nullptr) {
    std::cerr << "kestrin dump: no table \"" << strTable
              << "\"; kestrin dump --list shows the table names\n";
    return 2;
  }
  if (!EnterDataFolder(strDataDir, "dump")) return 2;
  ListKeysAside({pView});
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) {
    std::cerr << "kestrin dump: the module could not create its service\n";
    return 1;
  }
  pData->Create();
  // Each entry goes out as the module answers it: a large table is never held whole.
  TableAnswer answer;
  answer.dump = CJsonStream(std::cout);
  answer.dump.BeginObject();
  answer.dump.Member("table", pView->Name());
  answer.dump.Member("file", pView->Path());
  answer.dump.Key("entries");
  pView->Answer(*pData, answer);
  answer.dump.Finish();
  std::cout << "\n";
  RoleBaseDataDestroy();

  std::error_code ec;
  if (!std::filesystem::is_regular_file(pView->Path(), ec)) {
    std::cerr << "kestrin dump: " << pView->Path() << " is missing in " << strDataDir << "\n";
    return 1;
  }
  return 0;
}

void PrintTableList() {
  printf("%-20s %-28s %s\n", "table", "file", "what check counts: listed / entries");
  for (const auto& pView : MakeTableViews()) {
    printf("%-20s %-28s %s\n", pView->Name(), pView->Path(), pView->Counts());
  }
}
