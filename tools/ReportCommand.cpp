// kestrin report: the check's findings, the battle maps and cameras drawn, and each table's
// figures, from one load.
#include "ReportCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "3DRoleBaseData.h"
#include "BattleDrawing.h"
#include "CameraDrawing.h"
#include "CheckCommand.h"
#include "ReportPage.h"
#include "TableDiff.h"
#include "TableDump.h"
#include "TableRegistry.h"

namespace fs = std::filesystem;

namespace {

size_t TableIndex(const char* pszName) {
  const std::vector<RegisteredTable>& tables = CTableRegistry::Tables();
  size_t i = 0;
  while (i < tables.size() && std::string(tables[i].pszName) != pszName) ++i;
  return i;
}

void DrawBattleMaps(I3DRoleBaseData& query, const C3DRoleBaseData& data, ReportContent& content) {
  size_t i = TableIndex("BattleMap");
  BattleScene scene;
  std::vector<std::pair<int32_t, int32_t>> viewKeys;
  CTableRegistry::ForEachItem(data, i, 0, {}, [&](std::string_view, int64_t nKey1, int64_t nKey2) {
    viewKeys.emplace_back(static_cast<int32_t>(nKey1), static_cast<int32_t>(nKey2));
  });
  for (const auto& [nKey1, nKey2] : viewKeys) {
    const BattleViewPos* pView = query.GetBattleViewPos(nKey1, nKey2);
    if (pView != nullptr) scene.viewPos.push_back(*pView);
  }
  scene.viewStart = *query.GetBattleViewStartPos();
  scene.fnOffset = [&query](uint32_t nKey) { return query.GetFighterPosOffset(nKey); };
  std::vector<uint32_t> maps;
  CTableRegistry::ForEachKey(data, i, [&](int64_t nKey, std::string_view) {
    maps.push_back(static_cast<uint32_t>(nKey));
  });
  std::sort(maps.begin(), maps.end());
  maps.erase(std::unique(maps.begin(), maps.end()), maps.end());
  for (uint32_t nMap : maps) {
    const BattleMapInfo* pMap = query.GetBattleMapInfo(nMap);
    if (pMap != nullptr) content.battleMapFigures.push_back(BattleMapFigure(nMap, *pMap, scene));
  }
}

void CountTables(I3DRoleBaseData& query, const C3DRoleBaseData& data, ReportContent& content) {
  const std::vector<RegisteredTable>& tables = CTableRegistry::Tables();
  for (size_t i = 0; i < tables.size(); ++i) {
    TableFigures figures;
    figures.strName = tables[i].pszName;
    figures.strFile = tables[i].pszFile;
    std::error_code ec;
    figures.bPresent = fs::is_regular_file(figures.strFile, ec);
    figures.nBytes = figures.bPresent ? fs::file_size(figures.strFile, ec) : 0;
    CTableRegistry::ForEachKey(data, i, [&](int64_t, std::string_view) { ++figures.nKeysListed; });
    figures.nEntriesHeld = CTableRegistry::Count(data, i);
    for (const auto& [strEntry, fields] : EntriesOf(TableEntriesJson(query, i))) {
      bool bAnswered = !fields.empty();
      for (const auto& field : fields) bAnswered = bAnswered && !field.second.is_null();
      figures.nAnswered += bAnswered ? 1 : 0;
    }
    content.tables.push_back(figures);
  }
}

}  // namespace

int RunReport(const std::string& strDataDir, const std::string& strOutFile) {
  std::error_code ec;
  fs::path out = fs::absolute(strOutFile, ec);
  CheckSummary summary;
  ReportContent content;
  int nResult = CheckDataFolder(strDataDir, "report", false, summary, [&](I3DRoleBaseData& query) {
    const C3DRoleBaseData& data = *static_cast<const C3DRoleBaseData*>(&query);
    DrawBattleMaps(query, data, content);
    content.strCameraFigure = CameraPlanFigure({{"battle camera", query.GetBattleCamera()},
                                                {"battle move camera", query.GetBattleMoveCamera()},
                                                {"capture camera 1", query.GetCaptureCamera1()},
                                                {"capture camera 2", query.GetCaptureCamera2()}});
    CountTables(query, data, content);
  });
  if (nResult != 0) return nResult;
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file << ReportPage(summary, content);
  file.close();
  if (!file) {
    std::cerr << "kestrin report: cannot write " << strOutFile << "\n";
    return 1;
  }
  return summary.nStatus;
}
