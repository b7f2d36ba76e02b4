// Game maps, regions and terrain NPCs as JSON.
#include <cstdio>

#include "RecordJson.h"

namespace {

// A colour as the file writes it: eight hexadecimal digits.
Json Colour(uint32_t nColour) {
  char szText[16];
  std::snprintf(szText, sizeof(szText), "%08X", nColour);
  return szText;
}

}  // namespace

Json ToJson(const GameMapInfo& info) {
  Json limit = Json::array();
  for (uint32_t nLimit : info.Limit) limit.push_back(nLimit);
  return Json{{"File", JsonText(static_cast<const char*>(info.File))},
              {"PuzzleGridSize", info.PuzzleGridSize},
              {"Light", info.Light},
              {"Oblique", info.Oblique},
              {"LightDirX", JsonFloat(info.LightDirX)},
              {"LightDirY", JsonFloat(info.LightDirY)},
              {"LightDirZ", JsonFloat(info.LightDirZ)},
              {"Diffuse", Colour(info.Diffuse)},
              {"Ambient", Colour(info.Ambient)},
              {"switch", info.Switch},
              {"daysound", JsonText(static_cast<const char*>(info.DaySound))},
              {"nightsound", JsonText(static_cast<const char*>(info.NightSound))},
              {"day", Colour(info.Day)},
              {"nightfall", Colour(info.Nightfall)},
              {"night", Colour(info.Night)},
              {"dawn", Colour(info.Dawn)},
              {"jump", info.Jump},
              {"limit", limit}};
}

Json ToJson(const RegionInfo& info) {
  return Json{{"Id", info.Id},
              {"SecondId", info.SecondId},
              {"Value4", info.Value4},
              {"Value5", info.Value5},
              {"Value3", info.Value3},
              {"Value6", info.Value6},
              {"Value7", info.Value7},
              {"Value10", info.Value10},
              {"Value11", info.Value11},
              {"Value12", info.Value12},
              {"Value13", info.Value13},
              {"Name", JsonChars(info.Name)},
              {"Text9", JsonChars(info.Text9)},
              {"Signed14", info.Signed14},
              {"Signed16", info.Signed16},
              {"Signed15", info.Signed15},
              {"Signed17", info.Signed17},
              {"Text18", JsonChars(info.Text18)}};
}

Json ToJson(const RegionList& list) {
  Json records = Json::array();
  for (const RegionInfo& info : list) records.push_back(ToJson(info));
  return records;
}

Json ToJson(const TerrainNpcInfo& info) {
  Json dirs = Json::array();
  for (const CRecordString& strDir : info.Dirs) dirs.push_back(JsonText(strDir.c_str()));
  return Json{{"Id", info.Id}, {"Name", JsonChars(info.Name)}, {"Dirs", dirs}};
}
