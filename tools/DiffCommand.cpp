// kestrin diff: two releases' tables compared as the module answers them, entry by entry.
#include "DiffCommand.h"

#include <filesystem>
#include <iostream>

#include "DataFolder.h"
#include "TableDiff.h"
#include "TableDump.h"
#include "TableRegistry.h"

namespace fs = std::filesystem;

namespace {

// One load of the folder; the entries of each table asked for, in the order asked. False, with
// the reason on stderr, when the folder cannot be used.
bool LoadEntries(const fs::path& folder, const std::vector<size_t>& tables,
                 std::vector<TableEntries>& entries) {
  int nExitCode = 0;
  I3DRoleBaseData* pData = LoadDataFolder(folder.string(), "diff", nExitCode);
  if (pData == nullptr) return false;
  for (size_t i : tables) entries.push_back(EntriesOf(TableEntriesJson(*pData, i)));
  RoleBaseDataDestroy();
  return true;
}

// Values print as JSON (texts quoted), as the dump writes them.
std::string Shown(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json FieldsJson(const std::map<std::string, Json>& fields) {
  Json object = Json::object();
  for (const auto& [strPath, value] : fields) object[strPath] = value;
  return object;
}

}  // namespace

int RunDiff(const std::string& strOldDir, const std::string& strNewDir,
            const std::vector<std::string>& tableNames, bool bJson) {
  const std::vector<RegisteredTable>& registered = CTableRegistry::Tables();
  std::vector<size_t> tables;
  for (size_t i = 0; tableNames.empty() && i < registered.size(); ++i) tables.push_back(i);
  for (const std::string& strName : tableNames) {
    size_t i = FindTable(strName, "diff");
    if (i == registered.size()) return 2;
    tables.push_back(i);
  }
  std::error_code ec;
  fs::path oldDir = fs::absolute(strOldDir, ec), newDir = fs::absolute(strNewDir, ec);
  std::vector<TableEntries> oldEntries, newEntries;
  if (!LoadEntries(oldDir, tables, oldEntries) || !LoadEntries(newDir, tables, newEntries)) {
    return 2;
  }

  bool bSame = true;
  Json report = {{"old", strOldDir}, {"new", strNewDir}, {"tables", Json::array()}};
  for (size_t n = 0; n < tables.size(); ++n) {
    const RegisteredTable& table = registered[tables[n]];
    TableDifference difference = Compare(oldEntries[n], newEntries[n]);
    if (difference.Empty()) continue;
    bSame = false;
    if (!bJson) {
      printf("%s (%s): %zu added, %zu removed, %zu changed\n", table.pszName, table.pszFile,
             difference.added.size(), difference.removed.size(), difference.changed.size());
    }
    Json tableJson = {{"table", table.pszName}, {"file", table.pszFile}};
    Json added = Json::array(), removed = Json::array(), changed = Json::array();
    for (const std::string& strEntry : difference.added) {
      const std::map<std::string, Json>& fields = newEntries[n].at(strEntry);
      if (!bJson) printf("  + %s  %s\n", strEntry.c_str(), Shown(FieldsJson(fields)).c_str());
      added.push_back({{"key", strEntry}, {"fields", FieldsJson(fields)}});
    }
    for (const std::string& strEntry : difference.removed) {
      if (!bJson) printf("  - %s\n", strEntry.c_str());
      removed.push_back({{"key", strEntry}});
    }
    for (const auto& [strEntry, changes] : difference.changed) {
      Json fields = Json::array();
      for (const FieldChange& change : changes) {
        if (!bJson) {
          printf("  ~ %s  %s: %s -> %s\n", strEntry.c_str(), change.strField.c_str(),
                 Shown(change.oldValue).c_str(), Shown(change.newValue).c_str());
        }
        fields.push_back(
            {{"field", change.strField}, {"old", change.oldValue}, {"new", change.newValue}});
      }
      changed.push_back({{"key", strEntry}, {"fields", fields}});
    }
    tableJson["added"] = added;
    tableJson["removed"] = removed;
    tableJson["changed"] = changed;
    report["tables"].push_back(tableJson);
  }
  report["same"] = bSame;
  if (bJson) {
    printf("%s\n", report.dump(2, ' ', false, Json::error_handler_t::replace).c_str());
  } else if (bSame) {
    printf("%s and %s answer the same.\n", strOldDir.c_str(), strNewDir.c_str());
  }
  return bSame ? 0 : 1;
}
