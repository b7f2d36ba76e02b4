// kestrin dump: one whole table as the module answers it, for diffing two releases' data.
#include "DumpCommand.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "DataFolder.h"
#include "TableDump.h"
#include "TableRegistry.h"

int RunDump(const std::string& strDataDir, const std::string& strTable) {
  const std::vector<RegisteredTable>& tables = CTableRegistry::Tables();
  size_t i = FindTable(strTable, "dump");
  if (i == tables.size()) return 2;
  const RegisteredTable& table = tables[i];
  int nExitCode = 0;
  I3DRoleBaseData* pData = LoadDataFolder(strDataDir, "dump", nExitCode);
  if (pData == nullptr) return nExitCode;
  // Each entry goes out as the module answers it: a large table is never held whole.
  CJsonStream dump(std::cout);
  dump.BeginObject();
  dump.Member("table", table.pszName);
  dump.Member("file", table.pszFile);
  dump.Key("entries");
  DumpTableEntries(*pData, i, dump);
  dump.Finish();
  std::cout << "\n";
  RoleBaseDataDestroy();

  std::error_code ec;
  if (!std::filesystem::is_regular_file(table.pszFile, ec)) {
    std::cerr << "kestrin dump: " << table.pszFile << " is missing in " << strDataDir << "\n";
    return 1;
  }
  return 0;
}

void PrintTableList() {
  printf("%-20s %-28s %s\n", "table", "file", "loader");
  for (const RegisteredTable& table : CTableRegistry::Tables()) {
    printf("%-20s %-28s %s\n", table.pszName, table.pszFile, table.pszLoader);
  }
}
