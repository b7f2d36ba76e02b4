// Role appearance records as JSON.
#include "RecordJson.h"

Json ToJson(const NpcInfo& info) {
  return Json{{"Id", info.Id},
              {"Name", JsonChars(info.Name)},
              {"Effect", JsonChars(info.Effect)},
              {"SimpleObjID", info.SimpleObjID},
              {"StandByMotion", info.StandByMotion},
              {"BlazeMotion", info.BlazeMotion},
              {"RestMotion", info.RestMotion},
              {"ASB", info.ASB},
              {"ADB", info.ADB},
              {"FixDir", info.FixDir}};
}

Json ToJson(const NpcStarLookInfo& info) {
  return Json{{"Id", info.Id},
              {"Name", JsonChars(info.Name)},
              {"FixDir", info.FixDir},
              {"AddSize", info.AddSize},
              {"Scale", info.Scale},
              {"Look", info.Look},
              {"Head", info.Head},
              {"Hair", info.Hair},
              {"Armor", info.Armor},
              {"Armet", info.Armet},
              {"RWeapon", info.RWeapon},
              {"LWeapon", info.LWeapon},
              {"Misc", info.Misc},
              {"MiscBack", info.MiscBack},
              {"Mount", info.Mount},
              {"Effect", JsonChars(info.Effect)},
              {"Note", JsonChars(info.Note)},
              {"FrontBlock", info.FrontBlock},
              {"BackBlock", info.BackBlock},
              {"LeftBlock", info.LeftBlock},
              {"RightBlock", info.RightBlock},
              {"EffAdd", JsonChars(info.EffAdd)},
              {"EffDel", JsonChars(info.EffDel)}};
}

Json ToJson(const RolePartReplaceInfo& info) {
  return Json{{"Field1", info.Field1},  {"Field2", info.Field2}, {"Field3", info.Field3},
              {"Field4", info.Field4},  {"Field5", info.Field5}, {"Field6", info.Field6},
              {"Field7", info.Field7},  {"Field8", info.Field8}, {"Field9", info.Field9},
              {"Field10", info.Field10}};
}

Json ToJson(const SimpleObjInfo& info) {
  Json motions = Json::array();
  for (int64_t nMotion : info.Motions) motions.push_back(nMotion);
  return Json{
      {"SimpleObj", info.SimpleObj}, {"Scale", JsonFloat(info.Scale)}, {"Motions", motions}};
}
