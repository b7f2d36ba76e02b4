// The game map catalogue, the regions and the terrain NPCs.
#include <cstring>
#include <set>

#include "TableViews.h"
#include "ZorEncryptFile.h"
#include "ZorIni.h"

namespace {

using ZorGameBase::CTextScan;

// ini/GameMap.dat: one section per map, its title the map id. A map counts as answered when
// the module has a record under its id; the dump is the module's own enumeration (id order).
class CGameMapView : public CTableView {
 public:
  CGameMapView()
      : CTableView("GameMap", "ini/GameMap.dat",
                   "map sections the file lists / maps the module has a record for") {}

  void ReadKeys() override {
    m_maps.clear();
    ZorGameBase::CZorIni ini;  // deciphers the file
    if (!ini.Open(File().c_str())) return;
    std::string strTitle;
    while (!ini.AtEnd() && ini.ReadSection() && ini.GetSectionTitle(strTitle)) {
      CTextScan scan(strTitle);
      int64_t nId = 0;
      scan.Int64(nId);  // no digits: map 0
      m_maps.insert(static_cast<uint32_t>(nId));
    }
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    for (uint32_t nMap : m_maps) {
      ++answer.nListed;
      answer.nAnswered += data.GetGameMapInfo(nMap) != nullptr ? 1 : 0;
    }
    uint32_t nMapId = 0;
    const GameMapInfo* pInfo = nullptr;
    for (int32_t nMore = data.GetFirstGameMapInfo(&nMapId, &pInfo); nMore != 0;
         nMore = data.GetNextGameMapInfo(&nMapId, &pInfo)) {
      answer.dump.Element(Json{{"mapId", nMapId}, {"info", ToJsonOrNull(pInfo)}});
    }
  }

 private:
  std::set<uint32_t> m_maps;
};

// ini/region.ini: records of 18 fields. The module hands out its whole list, so both counts are
// the records it holds; the diagnostics name the records it dropped.
class CRegionView : public CTableView {
 public:
  CRegionView()
      : CTableView("Region", "ini/region.ini",
                   "records the module holds (both counts: the module hands out its whole list)") {}

  void ReadKeys() override {}

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    const RegionList* pList = data.GetRegionList();
    answer.nListed = answer.nAnswered = pList != nullptr ? static_cast<int>(pList->size()) : 0;
    if (pList == nullptr) {
      answer.dump.Value(nullptr);
      return;
    }
    for (const RegionInfo& info : *pList) answer.dump.Element(ToJson(info));
  }
};

// ini/TerrainNpc.dat: lines "[TerrainNNN]", the id from the name's eighth character on. An id
// counts as answered when the module answers it with a record of that id (it answers an absent
// id with its first record).
class CTerrainNpcView : public CTableView {
 public:
  CTerrainNpcView()
      : CTableView("TerrainNpc", "ini/TerrainNpc.dat",
                   "ids the file lists / ids the module has a record of their own for") {}

  void ReadKeys() override {
    m_ids.clear();
    ZorGameBase::CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
    if (!file.Open(File().c_str())) return;
    char szLine[1024];
    unsigned nPosition = 0;
    while (ZorGameBase::ReadBufferLine(file.GetBuffer(), static_cast<unsigned>(file.GetSize()),
                                       nPosition, szLine, sizeof(szLine))) {
      CTextScan scan(szLine, szLine + std::strlen(szLine));
      std::string_view name;
      if (!scan.Literal('[') || !scan.Word(name)) continue;
      if (!name.empty() && name.back() == ']') name.remove_suffix(1);
      m_ids.insert(name.size() > 7 ? AtoiPrefix(name.substr(7)) : 0);
    }
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    for (int32_t nId : m_ids) {
      const TerrainNpcInfo* pInfo = data.GetTerrainNpcInfo(nId);
      bool bAnswered = pInfo != nullptr && pInfo->Id == nId;
      answer.dump.Element(Json{{"id", nId}, {"info", bAnswered ? ToJson(*pInfo) : Json(nullptr)}});
      ++answer.nListed;
      answer.nAnswered += bAnswered ? 1 : 0;
    }
  }

 private:
  std::set<int32_t> m_ids;
};

}  // namespace

std::unique_ptr<CTableView> MakeGameMapView() { return std::make_unique<CGameMapView>(); }
std::unique_ptr<CTableView> MakeRegionView() { return std::make_unique<CRegionView>(); }
std::unique_ptr<CTableView> MakeTerrainNpcView() { return std::make_unique<CTerrainNpcView>(); }
