// The query operations of I3DRoleBaseData by name: each entry converts the answer to JSON.
#include "Operations.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace {

using Answer = std::optional<Json>;

const std::vector<ArgSpec> NONE = {};
const std::vector<ArgSpec> MAP_ID = {{"mapId", ArgType::UInt32}};
const std::vector<ArgSpec> MAP_GROUP = {{"mapId", ArgType::UInt32}, {"groupNo", ArgType::Int32}};
const std::vector<ArgSpec> NAME = {{"name", ArgType::Text}};
const std::vector<ArgSpec> VALUE = {{"value", ArgType::Int32}};
const std::vector<ArgSpec> ON = {{"on", ArgType::Int32}};
const std::vector<ArgSpec> XY = {{"x", ArgType::Int32}, {"y", ArgType::Int32}};
const std::vector<ArgSpec> AB = {{"a", ArgType::UInt32}, {"b", ArgType::UInt32}};
const std::vector<ArgSpec> ABCD = {
    {"a", ArgType::UInt32}, {"b", ArgType::UInt32}, {"c", ArgType::UInt32}, {"d", ArgType::UInt32}};
const std::vector<ArgSpec> AT = {{"name", ArgType::Text},      {"x", ArgType::Int32},
                                 {"y", ArgType::Int32},        {"radius", ArgType::Int32},
                                 {"playArg", ArgType::UInt32}, {"restart", ArgType::Bool}};

// The outputs of GetFirstGameMapInfo and GetNextGameMapInfo; untouched (null) at the end.
Answer GameMapStep(int32_t nResult, uint32_t nMapId, const GameMapInfo* pInfo) {
  return Json{{"result", nResult},
              {"mapId", nResult != 0 ? Json(nMapId) : Json(nullptr)},
              {"info", nResult != 0 ? ToJsonOrNull(pInfo) : Json(nullptr)}};
}

const std::vector<Operation>& AllOperations() {
  static const std::vector<Operation> s_operations = {
      {1, "GetGameMapInfo", MAP_ID, "GameMapInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetGameMapInfo(a[0].U32()));
       }},
      {2, "GetFirstGameMapInfo", NONE, "{result, mapId, info}; starts the enumeration",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         uint32_t nMapId = 0;
         const GameMapInfo* pInfo = nullptr;
         int32_t nResult = d.GetFirstGameMapInfo(&nMapId, &pInfo);
         return GameMapStep(nResult, nMapId, pInfo);
       }},
      {3, "GetNextGameMapInfo", NONE, "{result, mapId, info}; 0 at the end",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         uint32_t nMapId = 0;
         const GameMapInfo* pInfo = nullptr;
         int32_t nResult = d.GetNextGameMapInfo(&nMapId, &pInfo);
         return GameMapStep(nResult, nMapId, pInfo);
       }},
      {4,
       "GetRegionInfo",
       {{"secondId", ArgType::UInt32}},
       "RegionInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetRegionInfo(a[0].U32()));
       }},
      {5, "GetRegionList", NONE, "[RegionInfo] in file order",
       [](I3DRoleBaseData& d, const Args&) -> Answer { return ToJsonOrNull(d.GetRegionList()); }},
      {6,
       "GetRegionName",
       {{"id", ArgType::UInt32}},
       "text or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return JsonText(d.GetRegionName(a[0].U32()));
       }},
      {7,
       "PlaySound",
       {{"name", ArgType::Text},
        {"playArg", ArgType::UInt32},
        {"reserved", ArgType::UInt32},
        {"restart", ArgType::Bool}},
       "bool",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.PlaySound(a[0].Text(), a[1].U32(), a[2].U32(), a[3].B());
       }},
      {8, "UpdateSoundAt", AT, "bool",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.UpdateSoundAt(a[0].Text(), a[1].I32(), a[2].I32(), a[3].I32(), a[4].U32(),
                                a[5].B());
       }},
      {9, "StopSound", NAME, "bool",
       [](I3DRoleBaseData& d, const Args& a) -> Answer { return d.StopSound(a[0].Text()); }},
      {10,
       "GetSoundVolume",
       {{"x", ArgType::Int32},
        {"y", ArgType::Int32},
        {"radius", ArgType::Int32},
        {"silentWithoutFading", ArgType::Int32}},
       "uint32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetSoundVolume(a[0].I32(), a[1].I32(), a[2].I32(), a[3].I32());
       }},
      {11, "GetListenerPos", NONE, "ListenerPos",
       [](I3DRoleBaseData& d, const Args&) -> Answer { return ToJson(d.GetListenerPos()); }},
      {12,
       "GetSoundEventName",
       {{"eventId", ArgType::UInt32}},
       "text or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return JsonText(d.GetSoundEventName(a[0].U32()));
       }},
      {13,
       "PlaySoundEvent",
       {{"eventId", ArgType::UInt32}, {"playArg", ArgType::UInt32}, {"reserved", ArgType::UInt32}},
       "bool",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.PlaySoundEvent(a[0].U32(), a[1].U32(), a[2].U32());
       }},
      {14, "SetSoundSwitch", ON, "nothing",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         d.SetSoundSwitch(a[0].I32());
         return std::nullopt;
       }},
      {15,
       "SetSoundVolume",
       {{"volume", ArgType::Int32}},
       "nothing",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         d.SetSoundVolume(a[0].I32());
         return std::nullopt;
       }},
      {16, "SetListenerPos", XY, "nothing",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         d.SetListenerPos(a[0].I32(), a[1].I32());
         return std::nullopt;
       }},
      {17, "SetListenerPosRef", XY, "nothing (passes a ListenerPos by reference)",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         ListenerPos pos{a[0].I32(), a[1].I32()};
         d.SetListenerPos(pos);
         return std::nullopt;
       }},
      {18, "PlaySoundAt", AT, "bool",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.PlaySoundAt(a[0].Text(), a[1].I32(), a[2].I32(), a[3].I32(), a[4].U32(),
                              a[5].B());
       }},
      {19, "SetDistanceFading", ON, "nothing",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         d.SetDistanceFading(a[0].I32());
         return std::nullopt;
       }},
      {20, "GetSoundFile", NAME, "text or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return JsonText(d.GetSoundFile(a[0].Text()));
       }},
      {21,
       "GetTerrainNpcInfo",
       {{"id", ArgType::Int32}},
       "TerrainNpcInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetTerrainNpcInfo(a[0].I32()));
       }},
      {22,
       "GetBattlePos",
       {{"mapId", ArgType::UInt32}, {"index", ArgType::Int32}},
       "BattlePos",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetBattlePos(a[0].U32(), a[1].I32()));
       }},
      {23, "GetBattleRotaryAngle", MAP_ID, "int32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetBattleRotaryAngle(a[0].U32());
       }},
      {24, "GetBattleCameraTime", MAP_ID, "int32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetBattleCameraTime(a[0].U32());
       }},
      {25, "GetBattleTorch1", MAP_GROUP, "int32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetBattleTorch1(a[0].U32(), a[1].I32());
       }},
      {26, "GetBattleTorch2", MAP_GROUP, "int32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetBattleTorch2(a[0].U32(), a[1].I32());
       }},
      {27, "GetBattleTorch3", MAP_GROUP, "int32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetBattleTorch3(a[0].U32(), a[1].I32());
       }},
      {28, "GetBattleTorch4", MAP_GROUP, "int32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetBattleTorch4(a[0].U32(), a[1].I32());
       }},
      {29,
       "GetBattleViewPos",
       {{"key1", ArgType::Int32}, {"key2", ArgType::Int32}},
       "BattleViewPos or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetBattleViewPos(a[0].I32(), a[1].I32()));
       }},
      {30, "GetBattleViewStartPos", NONE, "BattleViewPos",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         return ToJsonOrNull(d.GetBattleViewStartPos());
       }},
      {31,
       "GetBattleArrayCellPos",
       {{"side", ArgType::Int32}},
       "BattlePos",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetBattleArrayCellPos(a[0].I32()));
       }},
      {32, "GetBattleCamera", NONE, "BattleCamera",
       [](I3DRoleBaseData& d, const Args&) -> Answer { return ToJsonOrNull(d.GetBattleCamera()); }},
      {33, "GetBattleMoveCamera", NONE, "BattleCamera",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         return ToJsonOrNull(d.GetBattleMoveCamera());
       }},
      {34, "GetCaptureCamera1", NONE, "BattleCamera or null",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         return ToJsonOrNull(d.GetCaptureCamera1());
       }},
      {35, "GetCaptureCamera2", NONE, "BattleCamera or null",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         return ToJsonOrNull(d.GetCaptureCamera2());
       }},
      {36, "GetBattleDiveInfo", NONE, "BattleDiveInfo or null; reads ini/3DBattleDive.ini",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         return ToJsonOrNull(d.GetBattleDiveInfo());
       }},
      {37,
       "GetFighterPos",
       {{"mapId", ArgType::UInt32},
        {"key1", ArgType::Int32},
        {"key2", ArgType::Int32},
        {"groupNo", ArgType::Int32}},
       "FighterPos or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetFighterPos(a[0].U32(), a[1].I32(), a[2].I32(), a[3].I32()));
       }},
      {38,
       "GetFighterPosOffset",
       {{"key", ArgType::UInt32}},
       "FighterPosOffset or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetFighterPosOffset(a[0].U32()));
       }},
      {39,
       "GetBattleStartPos",
       {{"mapId", ArgType::UInt32}, {"key1", ArgType::Int32}, {"key2", ArgType::Int32}},
       "BattleStartPos or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetBattleStartPos(a[0].U32(), a[1].I32(), a[2].I32()));
       }},
      {40, "GetBattleMapInfo", MAP_ID, "BattleMapInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetBattleMapInfo(a[0].U32()));
       }},
      {41, "SetStoredValue1", VALUE, "nothing",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         d.SetStoredValue1(a[0].I32());
         return std::nullopt;
       }},
      {42, "GetStoredValue1", NONE, "int32",
       [](I3DRoleBaseData& d, const Args&) -> Answer { return d.GetStoredValue1(); }},
      {43, "SetStoredValue2", VALUE, "nothing",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         d.SetStoredValue2(a[0].I32());
         return std::nullopt;
       }},
      {44, "GetStoredValue2", NONE, "int32",
       [](I3DRoleBaseData& d, const Args&) -> Answer { return d.GetStoredValue2(); }},
      {45, "ClearStoredValues", NONE, "nothing",
       [](I3DRoleBaseData& d, const Args&) -> Answer {
         d.ClearStoredValues();
         return std::nullopt;
       }},
      {46, "GetCameraTrackInfo", NAME, "CameraTrackInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         // The interface takes a name that is not null.
         return a[0].bNull ? Json(nullptr) : ToJsonOrNull(d.GetCameraTrackInfo(a[0].Text()));
       }},
      {47, "GetCameraTrackFrames", NAME, "[frame as 64 hex digits] or null; reads the track file",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetCameraTrackFrames(a[0].Text()));
       }},
      {48,
       "GetNpcInfo",
       {{"type", ArgType::Int32}},
       "NpcInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetNpcInfo(a[0].I32()));
       }},
      {49,
       "GetNpcStarLookInfo",
       {{"type", ArgType::Int32}},
       "NpcStarLookInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetNpcStarLookInfo(a[0].I32()));
       }},
      {50,
       "IsRolePartHidden",
       {{"k1", ArgType::UInt32},
        {"k2", ArgType::UInt32},
        {"k3", ArgType::UInt32},
        {"k4", ArgType::UInt32},
        {"value", ArgType::UInt32},
        {"partName", ArgType::Text}},
       "int32 (1 hidden, 0 not)",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.IsRolePartHidden(a[0].U32(), a[1].U32(), a[2].U32(), a[3].U32(), a[4].U32(),
                                   a[5].Text());
       }},
      {51, "GetRolePartScale", AB, "float",
       [](I3DRoleBaseData& d, const Args& a)
           -> Answer { return JsonFloat(d.GetRolePartScale(a[0].U32(), a[1].U32())); }},
      {52,
       "GetLookScale",
       {{"look", ArgType::UInt32}},
       "float",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return JsonFloat(d.GetLookScale(a[0].U32()));
       }},
      {53, "GetMountScale", AB, "float",
       [](I3DRoleBaseData& d,
          const Args& a) -> Answer { return JsonFloat(d.GetMountScale(a[0].U32(), a[1].U32())); }},
      {54,
       "Is2DRoleLook",
       {{"look", ArgType::UInt32}},
       "bool",
       [](I3DRoleBaseData& d, const Args& a) -> Answer { return d.Is2DRoleLook(a[0].U32()); }},
      {55,
       "GetAppendentWeapon",
       {{"weaponId", ArgType::UInt32}},
       "uint32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetAppendentWeapon(a[0].U32());
       }},
      {56,
       "GetWeaponAdjustByLook",
       {{"weapon", ArgType::UInt32}, {"look", ArgType::UInt32}},
       "uint32",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return d.GetWeaponAdjustByLook(a[0].U32(), a[1].U32());
       }},
      {57, "GetAction3DEffect", ABCD, "text or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return JsonText(d.GetAction3DEffect(a[0].U32(), a[1].U32(), a[2].U32(), a[3].U32()));
       }},
      {58, "GetRoleWeapon3DEffect", ABCD, "text or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return JsonText(d.GetRoleWeapon3DEffect(a[0].U32(), a[1].U32(), a[2].U32(), a[3].U32()));
       }},
      {59,
       "GetActionSound",
       {{"a", ArgType::UInt32}, {"b", ArgType::UInt32}, {"c", ArgType::UInt32}},
       "text or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return JsonText(d.GetActionSound(a[0].U32(), a[1].U32(), a[2].U32()));
       }},
      {60,
       "GetSimpleObjInfo",
       {{"id", ArgType::UInt32}},
       "SimpleObjInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetSimpleObjInfo(a[0].U32()));
       }},
      {61,
       "GetRoleTraceInfo",
       {{"key", ArgType::Int64}},
       "RoleTraceInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetRoleTraceInfo(a[0].I64()));
       }},
      {62,
       "GetRolePartReplaceInfo",
       {{"key", ArgType::Int32}},
       "RolePartReplaceInfo or null",
       [](I3DRoleBaseData& d, const Args& a) -> Answer {
         return ToJsonOrNull(d.GetRolePartReplaceInfo(a[0].I32()));
       }},
  };
  return s_operations;
}

// An integer in decimal or, after "0x", hexadecimal, with an optional minus sign; false unless
// the whole text is the number and it lies in [nMin, nMax].
bool ParseInteger(const std::string& strText, int64_t nMin, int64_t nMax, int64_t& nValue) {
  const char* p = strText.c_str();
  const char* pEnd = p + strText.size();
  bool bNegative = p < pEnd && *p == '-';
  if (bNegative || (p < pEnd && *p == '+')) ++p;
  int nBase = 10;
  if (pEnd - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    nBase = 16;
    p += 2;
  }
  uint64_t nMagnitude = 0;
  auto result = std::from_chars(p, pEnd, nMagnitude, nBase);
  if (result.ec != std::errc() || result.ptr != pEnd) return false;
  if (bNegative) {
    if (nMin >= 0 || nMagnitude > static_cast<uint64_t>(-(nMin + 1)) + 1) return false;
    nValue = nMagnitude == 0 ? 0 : -static_cast<int64_t>(nMagnitude - 1) - 1;
  } else {
    if (nMagnitude > static_cast<uint64_t>(nMax)) return false;
    nValue = static_cast<int64_t>(nMagnitude);
  }
  return nValue >= nMin;
}

}  // namespace

const std::vector<Operation>& Operations() { return AllOperations(); }

const Operation* FindOperation(const std::string& strName) {
  int64_t nSlot = 0;
  bool bSlot = ParseInteger(strName, 1, 62, nSlot);
  for (const Operation& op : AllOperations()) {
    if (bSlot ? op.nSlot == nSlot : strName == op.pszName) return &op;
  }
  return nullptr;
}

const char* ArgTypeName(ArgType type) {
  switch (type) {
    case ArgType::UInt32:
      return "uint32";
    case ArgType::Int32:
      return "int32";
    case ArgType::Int64:
      return "int64";
    case ArgType::Bool:
      return "bool";
    case ArgType::Text:
      return "text";
  }
  return "?";
}

bool ParseArg(const ArgSpec& argSpec, const std::string& strText, ArgValue& value,
              std::string& strError) {
  value = ArgValue();
  bool bParsed = true;
  switch (argSpec.type) {
    case ArgType::UInt32:  // a negative number stands for its 32-bit pattern: -1 is 4294967295
      bParsed = ParseInteger(strText, std::numeric_limits<int32_t>::min(),
                             std::numeric_limits<uint32_t>::max(), value.nNumber);
      break;
    case ArgType::Int32:
      bParsed = ParseInteger(strText, std::numeric_limits<int32_t>::min(),
                             std::numeric_limits<int32_t>::max(), value.nNumber);
      break;
    case ArgType::Int64:
      bParsed = ParseInteger(strText, std::numeric_limits<int64_t>::min(),
                             std::numeric_limits<int64_t>::max(), value.nNumber);
      break;
    case ArgType::Bool:
      if (strText == "true" || strText == "1") {
        value.nNumber = 1;
      } else if (strText == "false" || strText == "0") {
        value.nNumber = 0;
      } else {
        bParsed = false;
      }
      break;
    case ArgType::Text:
      value.strText = strText;
      value.bNull = strText == "@null";
      break;
  }
  if (!bParsed) {
    strError =
        std::string(argSpec.pszName) + " must be " +
        (argSpec.type == ArgType::Bool ? "true, false, 1 or 0"
                                    : std::string("a number of type ") + ArgTypeName(argSpec.type)) +
        ", not \"" + strText + "\"";
  }
  return bParsed;
}
