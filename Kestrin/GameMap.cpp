// The game map catalogue: one GameMapInfo per map id of ini/GameMap.dat, in id order.
#include <climits>
#include <cstdlib>
#include <string>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "TextScan.h"
#include "WorldReaders.h"
#include "ZorIni.h"

using ZorGameBase::CZorIni;
using ZorGameBase::DebugLog;

namespace {

const char GAME_MAP_FILE[] = "ini/GameMap.dat";
const unsigned LIMIT_BUFFER = 2048;  // a value has at most 2047 characters

// "%x" over the text: hexadecimal digits after white space, a sign and "0x"; 0 when the text
// does not begin with a hexadecimal number.
bool ReadColour(CZorIni& ini, const char* pszKey, uint32_t& nColour) {
  std::string strText;
  if (!ini.ReadString(pszKey, strText, true)) return false;
  nColour = 0;
  ZorGameBase::CTextScan(strText).Hex32(nColour);
  return true;
}

// A section of the catalogue, e.g.
//   [101]
//   File=map/city.dmap        (NULL: no file)
//   PuzzleGridSize=64  Oblique=0  Light=1  LightDirX=0.5  LightDirY=-1  LightDirZ=0.5
//   Diffuse=FFFFFFFF  Ambient=0x404040  switch=1  daysound=city_day  nightsound=city_night
//   day=FFFFFFFF  nightfall=FFC08060  night=FF404080  dawn=FFE0C0A0  jump=0
//   limit=3,5,9               (optional)
// one key to a line. The required keys are read in this order; the first that is missing or
// empty is logged with the title and the section is dropped.
bool ReadGameMapSection(CZorIni& ini, const char* pszTitle, GameMapInfo& info) {
  int nValue = 0;
  if (!ini.ReadZorString("File", info.File, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[File].", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (info.File == "NULL") info.File = "";
  if (!ini.ReadInt("PuzzleGridSize", info.PuzzleGridSize, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[PuzzleGridSize]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ini.ReadInt("Oblique", info.Oblique, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[Oblique]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ini.ReadInt("Light", nValue, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[Light]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  info.Light = nValue != 0 ? 1 : 0;
  if (!ini.ReadFloat("LightDirX", info.LightDirX, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[LightDirX]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ini.ReadFloat("LightDirY", info.LightDirY, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[LightDirY]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ini.ReadFloat("LightDirZ", info.LightDirZ, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[LightDirZ]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(ini, "Diffuse", info.Diffuse)) {
    DebugLog("error on read [%s]. title=[%s], key=[Diffuse]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(ini, "Ambient", info.Ambient)) {
    DebugLog("error on read [%s]. title=[%s], key=[Ambient]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ini.ReadInt("switch", nValue, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[switch]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  info.Switch = nValue != 0;
  if (!ini.ReadZorString("daysound", info.DaySound, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[daysound]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ini.ReadZorString("nightsound", info.NightSound, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[nightsound]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(ini, "day", info.Day)) {
    DebugLog("error on read [%s]. title=[%s], key=[day]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(ini, "nightfall", info.Nightfall)) {
    DebugLog("error on read [%s]. title=[%s], key=[nightfall]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(ini, "night", info.Night)) {
    DebugLog("error on read [%s]. title=[%s], key=[night]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(ini, "dawn", info.Dawn)) {
    DebugLog("error on read [%s]. title=[%s], key=[dawn]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ini.ReadInt("jump", info.Jump, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[jump]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  // limit is optional: absent or empty (also "limit=" alone, not logged) means no limits.
  std::string strLimit;
  if (ini.ReadString("limit", strLimit, false) && !strLimit.empty()) {
    ZorGameBase::SplitNumberList(strLimit.c_str(), info.Limit, ",", LIMIT_BUFFER);
  }
  return true;
}

}  // namespace

int32_t DecimalPrefix(const char* pszText) {
  long long nValue = std::strtoll(pszText, nullptr, 10);
  if (nValue > INT32_MAX) return INT32_MAX;
  if (nValue < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(nValue);
}

bool ReadGameMapSections(CZorIni& ini, GameMapTable& table) {
  std::string strTitle;
  while (!ini.AtEnd()) {
    if (!ini.ReadSection() || !ini.GetSectionTitle(strTitle)) return false;
    GameMapInfo info;
    if (!ReadGameMapSection(ini, strTitle.c_str(), info)) continue;
    // The title is the map id ("[abc]" is map 0); a later section of an id replaces the record
    // in place, so a pointer handed out keeps pointing at that id's record.
    table[static_cast<uint32_t>(DecimalPrefix(strTitle.c_str()))] = info;
  }
  return true;
}

// Adds the maps of the file to the catalogue; 0 when the file cannot be opened or deciphered,
// or when its walk stops at a bad section header (the maps before it stay).
int32_t C3DRoleBaseData::CreateGameMapInfo() {
  CZorIni ini;
  if (!ini.Open(GAME_MAP_FILE, false)) {
    DebugLog("error on open %s.", GAME_MAP_FILE);
    return 0;
  }
  bool bWalked = ReadGameMapSections(ini, m_mapGameMap);
  m_indexGameMap.Reset(m_mapGameMap.size());
  for (const auto& [nMapId, info] : m_mapGameMap) m_indexGameMap.Add(nMapId, &info);
  return bWalked ? 1 : 0;
}

// The record of the map id; null when the catalogue has no such map.
const GameMapInfo* C3DRoleBaseData::GetGameMapInfo(uint32_t nMapId) {
  const GameMapInfo* pInfo = nullptr;
  m_indexGameMap.Find(nMapId, pInfo);
  return pInfo;
}

// Starts the enumeration at the smallest map id; 0 (outputs untouched) when the catalogue is
// empty.
int32_t C3DRoleBaseData::GetFirstGameMapInfo(uint32_t* pMapId, const GameMapInfo** ppInfo) {
  m_itGameMap = m_mapGameMap.begin();
  if (m_itGameMap == m_mapGameMap.end()) return 0;
  if (pMapId != nullptr) *pMapId = m_itGameMap->first;
  if (ppInfo != nullptr) *ppInfo = &m_itGameMap->second;
  return 1;
}

// The next larger map id of the enumeration; 0 (outputs untouched) before GetFirstGameMapInfo
// and at the end.
int32_t C3DRoleBaseData::GetNextGameMapInfo(uint32_t* pMapId, const GameMapInfo** ppInfo) {
  if (m_itGameMap == m_mapGameMap.end()) return 0;
  if (++m_itGameMap == m_mapGameMap.end()) return 0;
  if (pMapId != nullptr) *pMapId = m_itGameMap->first;
  if (ppInfo != nullptr) *ppInfo = &m_itGameMap->second;
  return 1;
}
