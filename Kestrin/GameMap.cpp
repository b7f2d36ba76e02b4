// The game map catalogue: one GameMapInfo per map id of ini/GameMap.dat, in id order.
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <tuple>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadObserver.h"
#include "TableText.h"
#include "TextScan.h"
#include "WorldReaders.h"
#include "ZorIni.h"

using ZorGameBase::CZorIni;
using ZorGameBase::DebugLog;

namespace {

const char GAME_MAP_FILE[] = "ini/GameMap.dat";
const unsigned LIMIT_BUFFER = 2048;  // a value has at most 2047 characters

// The keys of a map section, in the order they are read.
enum GameMapKey {
  GM_FILE, GM_PUZZLE_GRID_SIZE, GM_OBLIQUE, GM_LIGHT, GM_LIGHT_DIR_X, GM_LIGHT_DIR_Y,
  GM_LIGHT_DIR_Z, GM_DIFFUSE, GM_AMBIENT, GM_SWITCH, GM_DAY_SOUND, GM_NIGHT_SOUND, GM_DAY,
  GM_NIGHTFALL, GM_NIGHT, GM_DAWN, GM_JUMP, GM_LIMIT
};
const ZorGameBase::CIniKeySet& GameMapKeys() {
  static const ZorGameBase::CIniKeySet s_keys = {
      "File",     "PuzzleGridSize", "Oblique",    "Light", "LightDirX", "LightDirY",
      "LightDirZ", "Diffuse",       "Ambient",    "switch", "daysound", "nightsound",
      "day",      "nightfall",      "night",      "dawn",  "jump",      "limit"};
  return s_keys;
}

// The value of a hexadecimal digit, 16 for any other byte.
struct HexDigits {
  uint8_t anValue[256];
  constexpr HexDigits() : anValue() {
    for (int i = 0; i < 256; ++i) anValue[i] = 16;
    for (int i = 0; i < 10; ++i) anValue['0' + i] = static_cast<uint8_t>(i);
    for (int i = 0; i < 6; ++i) anValue['a' + i] = anValue['A' + i] = static_cast<uint8_t>(10 + i);
  }
};
constexpr HexDigits HEX_DIGITS;

// "0x" when a digit follows it, then the hexadecimal digits from p on (up to pEnd, or the
// image's closing zero byte for IMAGE_END), cut to 32 bits; p is moved behind them.
template <typename TEnd>
uint32_t HexDigitsHere(const unsigned char*& p, TEnd pEnd) {
  using ZorGameBase::Before;
  const char* pText = reinterpret_cast<const char*>(p);
  if (Before(pText + 2, pEnd) && p[0] == '0' && (p[1] | 0x20) == 'x' && HEX_DIGITS.anValue[p[2]] < 16) p += 2;
  uint32_t nValue = 0;
  for (unsigned nDigit; Before(reinterpret_cast<const char*>(p), pEnd) && (nDigit = HEX_DIGITS.anValue[*p]) < 16; ++p) {
    nValue = nValue * 16 + nDigit;
  }
  return nValue;
}

// "%x" over the text: white space, a sign, "0x" when a digit follows it, then hexadecimal
// digits, negated for "-" and cut to 32 bits (their low 32 bits do not depend on the digits
// before the last eight, so the sum is kept in 32 bits); 0 when no digit follows.
uint32_t ScanHex32(std::string_view text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* pEnd = p + text.size();
  while (p < pEnd && ZorGameBase::IsScanSpace(static_cast<char>(*p))) ++p;
  bool bNegative = false;
  if (p < pEnd && (*p == '+' || *p == '-')) bNegative = *p++ == '-';
  uint32_t nValue = HexDigitsHere(p, reinterpret_cast<const char*>(pEnd));
  return bNegative ? 0 - nValue : nValue;
}

// A colour key: its text read with "%x" (ScanHex32). The usual value, hexadecimal digits right
// behind "=", is read where it stands: the line's end stops the digits as the text's end does,
// and a value that holds them all within what a copy holds reads as its copy.
bool ReadColour(ZorGameBase::CIniSectionKeys& keys, GameMapKey key, uint32_t& nColour) {
  const char* pValue = keys.ValueStart(key, true);
  if (pValue == nullptr) return false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pValue);
  if (HEX_DIGITS.anValue[p[0]] < 16) {
    const size_t nHeld = CZorIni::LINE_BUFFER - 1;  // what a copied value holds
    uint32_t nValue = HexDigitsHere(p, ZorGameBase::IMAGE_END);
    if (reinterpret_cast<const char*>(p) - pValue < static_cast<std::ptrdiff_t>(nHeld)) {  // ended within it
      nColour = nValue;
      return true;
    }
  }
  std::string_view text;
  if (!keys.ReadText(key, text, true)) return false;
  nColour = ScanHex32(text);
  return true;
}

// A float key: a short decimal right behind "=" (ShortFloatHere, no "0x") is read where it
// stands; any other value as ReadFloat reads it.
bool ReadDirection(ZorGameBase::CIniSectionKeys& keys, GameMapKey key, float& fValue) {
  if (ZorGameBase::LoadObserver() == nullptr) {  // which is told of a number that does not read whole
    const char* p = keys.ValueStart(key, true);
    if (p == nullptr) return false;
    const char* pNumber = p + (*p == '-' || *p == '+' ? 1 : 0);
    if (!(pNumber[0] == '0' && (pNumber[1] | 0x20) == 'x') && ShortFloatHere(p, ZorGameBase::IMAGE_END, fValue)) {
      return true;
    }
  }
  return keys.ReadFloat(key, fValue, true);
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
using GameMapLines = ZorGameBase::IniKeyLines<GM_LIMIT + 1>;

bool ReadGameMapSection(CZorIni& ini, const GameMapLines& lines, const char* pszTitle, GameMapInfo& info) {
  ZorGameBase::CIniSectionKeys keys(ini, GameMapKeys(), lines);
  int nValue = 0;
  if (!keys.ReadZorString(GM_FILE, info.File, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[File].", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (strcmp(info.File, "NULL") == 0) info.File.AssignText("", 0);  // exactly NULL: no file
  if (!keys.ReadInt(GM_PUZZLE_GRID_SIZE, info.PuzzleGridSize, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[PuzzleGridSize]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!keys.ReadInt(GM_OBLIQUE, info.Oblique, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[Oblique]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!keys.ReadInt(GM_LIGHT, nValue, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[Light]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  info.Light = nValue != 0 ? 1 : 0;
  if (!ReadDirection(keys, GM_LIGHT_DIR_X, info.LightDirX)) {
    DebugLog("error on read [%s]. title=[%s], key=[LightDirX]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadDirection(keys, GM_LIGHT_DIR_Y, info.LightDirY)) {
    DebugLog("error on read [%s]. title=[%s], key=[LightDirY]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadDirection(keys, GM_LIGHT_DIR_Z, info.LightDirZ)) {
    DebugLog("error on read [%s]. title=[%s], key=[LightDirZ]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(keys, GM_DIFFUSE, info.Diffuse)) {
    DebugLog("error on read [%s]. title=[%s], key=[Diffuse]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(keys, GM_AMBIENT, info.Ambient)) {
    DebugLog("error on read [%s]. title=[%s], key=[Ambient]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!keys.ReadInt(GM_SWITCH, nValue, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[switch]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  info.Switch = nValue != 0;
  if (!keys.ReadZorString(GM_DAY_SOUND, info.DaySound, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[daysound]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!keys.ReadZorString(GM_NIGHT_SOUND, info.NightSound, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[nightsound]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(keys, GM_DAY, info.Day)) {
    DebugLog("error on read [%s]. title=[%s], key=[day]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(keys, GM_NIGHTFALL, info.Nightfall)) {
    DebugLog("error on read [%s]. title=[%s], key=[nightfall]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(keys, GM_NIGHT, info.Night)) {
    DebugLog("error on read [%s]. title=[%s], key=[night]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!ReadColour(keys, GM_DAWN, info.Dawn)) {
    DebugLog("error on read [%s]. title=[%s], key=[dawn]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  if (!keys.ReadInt(GM_JUMP, info.Jump, true)) {
    DebugLog("error on read [%s]. title=[%s], key=[jump]", GAME_MAP_FILE, pszTitle);
    return false;
  }
  // limit is optional: absent or empty (also "limit=" alone, not logged) means no limits.
  char szLimit[CZorIni::LINE_BUFFER];
  if (keys.ReadValue(GM_LIMIT, szLimit, sizeof(szLimit), false) && szLimit[0] != '\0') {
    ZorGameBase::SplitNumberList(szLimit, info.Limit, ",", LIMIT_BUFFER);
  }
  return true;
}

}  // namespace

bool ReadGameMapSections(CZorIni& ini, GameMapTable& table) {
  GameMapIndex index;
  return ReadGameMapSections(ini, table, index);
}

bool ReadGameMapSections(CZorIni& ini, GameMapTable& table, GameMapIndex& index) {
  bool bWalked = true;
  GameMapLines lines;
  while (!ini.AtEnd()) {
    if (!ini.ReadSectionKeys(GameMapKeys(), lines) ||
        ini.SectionTitle()[0] == '\0') {
      bWalked = false;
      break;
    }
    // The title is the map id ("[abc]" is map 0); a later section of an id replaces the record
    // in place, so a pointer handed out keeps pointing at that id's record. A new id's record is
    // read where it is stored, and taken out again when the section is dropped or memory runs
    // out while it is read.
    const char* pszTitle = ini.SectionTitle();
    uint32_t nMapId = static_cast<uint32_t>(ZorGameBase::ParseDecimal(pszTitle));
    auto itAt = !table.empty() && table.rbegin()->first < nMapId ? table.end() : table.lower_bound(nMapId);
    bool bNew = itAt == table.end() || itAt->first != nMapId;
    if (bNew) itAt = table.emplace_hint(itAt, std::piecewise_construct, std::forward_as_tuple(nMapId), std::tuple<>());
    std::optional<GameMapInfo> fresh;  // a known id's record is read aside
    GameMapInfo& info = bNew ? itAt->second : fresh.emplace();
    bool bRead;
    try {
      bRead = ReadGameMapSection(ini, lines, pszTitle, info);
    } catch (...) {
      if (bNew) table.erase(itAt);
      throw;
    }
    if (!bRead) {
      if (bNew) table.erase(itAt);
      if (ZorGameBase::LoadObserver() != nullptr) {
        ZorGameBase::ReportFinding(ZorGameBase::RULE_LINE_REJECTED, GAME_MAP_FILE, ini.GetSectionHeader(),
                                   "map [" + std::string(pszTitle) + "] lacks a required key or its value; the client "
                                   "drops the map",
                                   true);
      }
      continue;
    }
    if (!bNew) itAt->second = std::move(*fresh);
    index.Add(nMapId, &itAt->second);
  }
  index.EndLoad();
  return bWalked;
}

// Adds the maps of the file to the catalogue; 0 when the file cannot be opened or deciphered,
// or when its walk stops at a bad section header (the maps before it stay).
int32_t C3DRoleBaseData::CreateGameMapInfo() {
  CZorIni ini;
  if (!ini.Open(GAME_MAP_FILE, false)) {
    DebugLog("error on open %s.", GAME_MAP_FILE);
    return 0;
  }
  return ReadGameMapSections(ini, m_mapGameMap, m_indexGameMap) ? 1 : 0;
}

// The record of the map id; null when the catalogue has no such map.
const GameMapInfo* C3DRoleBaseData::GetGameMapInfo(uint32_t nMapId) {
  const GameMapInfo* const* ppInfo = m_indexGameMap.Find(nMapId);
  return ppInfo != nullptr ? *ppInfo : nullptr;
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
