#include "TableDump.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "3DRoleBaseData.h"
#include "TableRegistry.h"

namespace {

// One table's entries: the service to ask, the service as the registry walks it, the table.
struct Table {
  I3DRoleBaseData& query;
  const C3DRoleBaseData& data;
  size_t i;
  CJsonStream& dump;
};

uint32_t U(int64_t nValue) { return static_cast<uint32_t>(nValue); }

// A key as the numbers it stands for, which order the dump; the key itself at the end.
using Key = std::vector<int64_t>;

// The keys of the table, each once, in the order of their numbers.
std::vector<Key> SortedKeys(const Table& t) {
  std::vector<Key> keys;
  CTableRegistry::ForEachKey(t.data, t.i, [&](int64_t nKey, std::string_view) {
    keys.push_back(CTableRegistry::KeyParts(t.i, nKey));
    keys.back().push_back(nKey);
  });
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

std::vector<std::string> SortedNames(const Table& t) {
  std::vector<std::string> names;
  CTableRegistry::ForEachKey(t.data, t.i,
                             [&](int64_t, std::string_view name) { names.emplace_back(name); });
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

// A record under its key, or null when the service answers the key with another key's record
// (the NPC queries answer an absent type with another type's, the role trace query an absent
// key with its wildcard record).
template <typename Record, typename Get, typename Own>
void DumpRecords(const Table& t, const char* pszKey, Get get, Own own) {
  for (const Key& key : SortedKeys(t)) {
    const Record* pRecord = get(key[0]);
    bool bOwn = pRecord != nullptr && own(*pRecord, key[0]);
    t.dump.Element(Json{{pszKey, key[0]}, {"info", bOwn ? ToJson(*pRecord) : Json()}});
  }
}

template <typename Record>
bool AnyRecord(const Record&, int64_t) {
  return true;
}

void DumpGameMaps(const Table& t) {
  uint32_t nMapId = 0;
  const GameMapInfo* pInfo = nullptr;
  for (int32_t nMore = t.query.GetFirstGameMapInfo(&nMapId, &pInfo); nMore != 0;
       nMore = t.query.GetNextGameMapInfo(&nMapId, &pInfo)) {
    t.dump.Element(Json{{"mapId", nMapId}, {"info", ToJsonOrNull(pInfo)}});
  }
}

void DumpRegions(const Table& t) {
  const RegionList* pList = t.query.GetRegionList();
  if (pList == nullptr) return t.dump.Value(nullptr);
  for (const RegionInfo& info : *pList) t.dump.Element(ToJson(info));
}

void DumpTerrainNpcs(const Table& t) {
  DumpRecords<TerrainNpcInfo>(
      t, "id", [&](int64_t nId) { return t.query.GetTerrainNpcInfo(static_cast<int32_t>(nId)); },
      [](const TerrainNpcInfo& info, int64_t nId) { return info.Id == nId; });
}

void DumpSoundEvents(const Table& t) {
  for (const Key& key : SortedKeys(t)) {
    t.dump.Element(
        Json{{"event", key[0]}, {"name", JsonText(t.query.GetSoundEventName(U(key[0])))}});
  }
}

// A resource counts when the service's pick is one of its files (null when it has none).
void DumpSoundResources(const Table& t) {
  for (const std::string& strTitle : SortedNames(t)) {
    std::vector<std::string> files;
    CTableRegistry::ForEachItem(
        t.data, t.i, 0, strTitle,
        [&](std::string_view file, int64_t, int64_t) { files.emplace_back(file); });
    const char* pszAnswer = t.query.GetSoundFile(strTitle.c_str());
    bool bResource = pszAnswer == nullptr
                         ? files.empty() && !strTitle.empty()
                         : std::find(files.begin(), files.end(), pszAnswer) != files.end();
    Json list = Json::array();
    for (const std::string& strFile : files) list.push_back(JsonText(strFile));
    t.dump.Element(Json{{"title", JsonText(strTitle)}, {"resource", bResource}, {"files", list}});
  }
}

template <const char* (I3DRoleBaseData::*Query)(uint32_t, uint32_t, uint32_t, uint32_t)>
void DumpEffects(const Table& t) {
  for (const Key& k : SortedKeys(t)) {
    const char* pszEffect = (t.query.*Query)(U(k[0]), U(k[1]), U(k[2]), U(k[3]));
    t.dump.Element(
        Json{{"a", k[0]}, {"b", k[1]}, {"c", k[2]}, {"d", k[3]}, {"effect", JsonText(pszEffect)}});
  }
}

void DumpActionSounds(const Table& t) {
  for (const Key& k : SortedKeys(t)) {
    const char* pszSound = t.query.GetActionSound(U(k[0]), U(k[1]), U(k[2]));
    t.dump.Element(Json{{"a", k[0]}, {"b", k[1]}, {"c", k[2]}, {"sound", JsonText(pszSound)}});
  }
}

void DumpBattleMaps(const Table& t) {
  t.dump.BeginObject();
  t.dump.Key("maps");
  t.dump.BeginArray();
  for (const Key& key : SortedKeys(t)) {
    t.dump.Value(
        Json{{"map", key[0]}, {"info", ToJsonOrNull(t.query.GetBattleMapInfo(U(key[0])))}});
  }
  t.dump.End();
  std::vector<std::pair<int32_t, int32_t>> viewPos;
  CTableRegistry::ForEachItem(t.data, t.i, 0, {}, [&](std::string_view, int64_t a, int64_t b) {
    viewPos.emplace_back(static_cast<int32_t>(a), static_cast<int32_t>(b));
  });
  std::sort(viewPos.begin(), viewPos.end());
  viewPos.erase(std::unique(viewPos.begin(), viewPos.end()), viewPos.end());
  t.dump.Key("viewPositions");
  t.dump.BeginArray();
  for (const auto& [nKey1, nKey2] : viewPos) {
    t.dump.Value(Json{{"key1", nKey1},
                      {"key2", nKey2},
                      {"viewPos", ToJsonOrNull(t.query.GetBattleViewPos(nKey1, nKey2))}});
  }
  t.dump.End();
  t.dump.Member("viewStartPos", ToJsonOrNull(t.query.GetBattleViewStartPos()));
  t.dump.Member("battleCamera", ToJsonOrNull(t.query.GetBattleCamera()));
  t.dump.Member("battleMoveCamera", ToJsonOrNull(t.query.GetBattleMoveCamera()));
  t.dump.End();
}

void DumpCaptureCameras(const Table& t) {
  t.dump.Value(Json{{"camera1", ToJsonOrNull(t.query.GetCaptureCamera1())},
                    {"camera2", ToJsonOrNull(t.query.GetCaptureCamera2())}});
}

void DumpFighterPosOffsets(const Table& t) {
  for (const Key& key : SortedKeys(t)) {
    t.dump.Element(
        Json{{"key", key[0]}, {"offset", ToJsonOrNull(t.query.GetFighterPosOffset(U(key[0])))}});
  }
}

void DumpCameraTracks(const Table& t) {
  for (const std::string& strName : SortedNames(t)) {
    t.dump.Element(Json{{"name", JsonText(strName)},
                        {"info", ToJsonOrNull(t.query.GetCameraTrackInfo(strName.c_str()))},
                        {"frames", ToJsonOrNull(t.query.GetCameraTrackFrames(strName.c_str()))}});
  }
}

void DumpNpcs(const Table& t) {
  DumpRecords<NpcInfo>(
      t, "type", [&](int64_t nType) { return t.query.GetNpcInfo(static_cast<int32_t>(nType)); },
      [](const NpcInfo& info, int64_t nType) { return info.Id == nType; });
}

void DumpNpcStarLooks(const Table& t) {
  DumpRecords<NpcStarLookInfo>(
      t, "type",
      [&](int64_t nType) { return t.query.GetNpcStarLookInfo(static_cast<int32_t>(nType)); },
      [](const NpcStarLookInfo& info, int64_t nType) { return info.Id == nType; });
}

void DumpPairScales(const Table& t, float (I3DRoleBaseData::*query)(uint32_t, uint32_t)) {
  for (const Key& k : SortedKeys(t)) {
    float fScale = (t.query.*query)(U(k[0]), U(k[1]));
    t.dump.Element(Json{{"a", k[0]}, {"b", k[1]}, {"scale", JsonFloat(fScale)}});
  }
}

void Dump2DLooks(const Table& t) {
  for (const Key& key : SortedKeys(t)) {
    t.dump.Element(Json{{"look", key[0]}, {"is2D", t.query.Is2DRoleLook(U(key[0])) != 0}});
  }
}

// Each part a key hides, and whether the service hides it at both ends of its range.
void DumpHiddenParts(const Table& t) {
  for (const Key& k : SortedKeys(t)) {
    Json parts = Json::array();
    CTableRegistry::ForEachItem(
        t.data, t.i, k[4], {}, [&](std::string_view name, int64_t nFrom, int64_t nTo) {
          std::string strName(name);
          bool bHidden = true;
          for (int64_t nFrame : {nFrom, nTo}) {
            bHidden = bHidden && t.query.IsRolePartHidden(U(k[0]), U(k[1]), U(k[2]), U(k[3]),
                                                          U(nFrame), strName.c_str());
          }
          parts.push_back(
              Json{{"part", JsonText(strName)}, {"from", nFrom}, {"to", nTo}, {"hidden", bHidden}});
        });
    t.dump.Element(Json{{"key", Json::array({k[0], k[1], k[2], k[3]})}, {"parts", parts}});
  }
}

void DumpLookScales(const Table& t) {
  for (const Key& key : SortedKeys(t)) {
    t.dump.Element(Json{{"look", key[0]}, {"scale", JsonFloat(t.query.GetLookScale(U(key[0])))}});
  }
}

void DumpAppendentWeapons(const Table& t) {
  for (const Key& key : SortedKeys(t)) {
    t.dump.Element(Json{{"weapon", key[0]}, {"appended", t.query.GetAppendentWeapon(U(key[0]))}});
  }
}

void DumpWeaponAdjustments(const Table& t) {
  for (const Key& k : SortedKeys(t)) {
    t.dump.Element(Json{{"weapon", k[0]},
                        {"look", k[1]},
                        {"adjusted", t.query.GetWeaponAdjustByLook(U(k[0]), U(k[1]))}});
  }
}

void DumpSimpleObjects(const Table& t) {
  DumpRecords<SimpleObjInfo>(
      t, "id", [&](int64_t nId) { return t.query.GetSimpleObjInfo(U(nId)); },
      AnyRecord<SimpleObjInfo>);
}

void DumpRoleTraces(const Table& t) {
  DumpRecords<RoleTraceInfo>(
      t, "key", [&](int64_t nKey) { return t.query.GetRoleTraceInfo(nKey); },
      [](const RoleTraceInfo& info, int64_t nKey) { return info.Key == nKey; });
}

void DumpRolePartReplacements(const Table& t) {
  DumpRecords<RolePartReplaceInfo>(
      t, "key",
      [&](int64_t nKey) { return t.query.GetRolePartReplaceInfo(static_cast<int32_t>(nKey)); },
      AnyRecord<RolePartReplaceInfo>);
}

void DumpBattleDive(const Table& t) { t.dump.Value(ToJsonOrNull(t.query.GetBattleDiveInfo())); }

}  // namespace

void DumpTableEntries(I3DRoleBaseData& query, size_t i, CJsonStream& dump) {
  // In the registry's order of tables.
  static void (*const s_apfnDump[])(const Table&) = {
      DumpGameMaps,
      DumpRegions,
      DumpSoundEvents,
      DumpSoundResources,
      DumpTerrainNpcs,
      DumpBattleMaps,
      DumpCaptureCameras,
      DumpFighterPosOffsets,
      DumpCameraTracks,
      DumpNpcs,
      DumpNpcStarLooks,
      [](const Table& t) { DumpPairScales(t, &I3DRoleBaseData::GetRolePartScale); },
      Dump2DLooks,
      DumpHiddenParts,
      DumpLookScales,
      [](const Table& t) { DumpPairScales(t, &I3DRoleBaseData::GetMountScale); },
      DumpAppendentWeapons,
      DumpWeaponAdjustments,
      DumpEffects<&I3DRoleBaseData::GetRoleWeapon3DEffect>,
      DumpEffects<&I3DRoleBaseData::GetAction3DEffect>,
      DumpActionSounds,
      DumpSimpleObjects,
      DumpRoleTraces,
      DumpRolePartReplacements,
      DumpBattleDive};
  if (i >= std::size(s_apfnDump)) return;
  Table table{query, *static_cast<const C3DRoleBaseData*>(&query), i, dump};
  s_apfnDump[i](table);
}

Json TableEntriesJson(I3DRoleBaseData& data, size_t i) {
  std::ostringstream text;
  CJsonStream dump(text);
  DumpTableEntries(data, i, dump);
  dump.Finish();
  return Json::parse(text.str(), nullptr, false);
}

size_t FindTable(const std::string& strTable, const char* pszCommand) {
  const std::vector<RegisteredTable>& tables = CTableRegistry::Tables();
  size_t i = 0;
  while (i < tables.size() && strTable != tables[i].pszName && strTable != tables[i].pszFile) ++i;
  if (i == tables.size()) {
    std::cerr << "kestrin " << pszCommand << ": no table \"" << strTable
              << "\"; kestrin dump --list shows the table names\n";
  }
  return i;
}
