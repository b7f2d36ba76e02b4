// The query operations of I3DRoleBaseData by name: each entry converts the answer to JSON.
#include "Operations.h"

#include <charconv>
#include <cstring>
#include <deque>
#include <limits>

namespace {

using Answer = std::optional<Json>;

// The outputs of GetFirstGameMapInfo and GetNextGameMapInfo; untouched (null) at the end.
Answer GameMapStep(I3DRoleBaseData& d,
                   int32_t (I3DRoleBaseData::*pfnStep)(uint32_t*, const GameMapInfo**)) {
  uint32_t nMapId = 0;
  const GameMapInfo* pInfo = nullptr;
  int32_t nResult = (d.*pfnStep)(&nMapId, &pInfo);
  return Json{{"result", nResult},
              {"mapId", nResult != 0 ? Json(nMapId) : Json(nullptr)},
              {"info", nResult != 0 ? ToJsonOrNull(pInfo) : Json(nullptr)}};
}

// One row of the table: the arguments as "name:type ..." with the type u(int32), i(nt32),
// l (int64), b(ool) or t(ext).
struct Row {
  int nSlot;
  const char* pszName;
  const char* pszArgs;
  const char* pszAnswer;
  Answer (*pfnCall)(I3DRoleBaseData& d, const Args& a);
};

#define ANSWER(...) \
  [](I3DRoleBaseData& d, [[maybe_unused]] const Args& a) -> Answer { return __VA_ARGS__; }
#define EFFECT(...)                                                  \
  [](I3DRoleBaseData& d, [[maybe_unused]] const Args& a) -> Answer { \
    __VA_ARGS__;                                                     \
    return std::nullopt;                                             \
  }
#define U(i) a[i].U32()
#define I(i) a[i].I32()
#define B(i) a[i].B()
#define T(i) a[i].Text()

// clang-format off
const Row ROWS[] = {
    {1, "GetGameMapInfo", "mapId:u", "GameMapInfo or null", ANSWER(ToJsonOrNull(d.GetGameMapInfo(U(0))))},
    {2, "GetFirstGameMapInfo", "", "{result, mapId, info}; starts the enumeration", ANSWER(GameMapStep(d, &I3DRoleBaseData::GetFirstGameMapInfo))},
    {3, "GetNextGameMapInfo", "", "{result, mapId, info}; 0 at the end", ANSWER(GameMapStep(d, &I3DRoleBaseData::GetNextGameMapInfo))},
    {4, "GetRegionInfo", "secondId:u", "RegionInfo or null", ANSWER(ToJsonOrNull(d.GetRegionInfo(U(0))))},
    {5, "GetRegionList", "", "[RegionInfo] in file order", ANSWER(ToJsonOrNull(d.GetRegionList()))},
    {6, "GetRegionName", "id:u", "text or null", ANSWER(JsonText(d.GetRegionName(U(0))))},
    {7, "PlaySound", "name:t playArg:u reserved:u restart:b", "bool", ANSWER(d.PlaySound(T(0), U(1), U(2), B(3)))},
    {8, "UpdateSoundAt", "name:t x:i y:i radius:i playArg:u restart:b", "bool", ANSWER(d.UpdateSoundAt(T(0), I(1), I(2), I(3), U(4), B(5)))},
    {9, "StopSound", "name:t", "bool", ANSWER(d.StopSound(T(0)))},
    {10, "GetSoundVolume", "x:i y:i radius:i silentWithoutFading:i", "uint32", ANSWER(d.GetSoundVolume(I(0), I(1), I(2), I(3)))},
    {11, "GetListenerPos", "", "ListenerPos", ANSWER(ToJson(d.GetListenerPos()))},
    {12, "GetSoundEventName", "eventId:u", "text or null", ANSWER(JsonText(d.GetSoundEventName(U(0))))},
    {13, "PlaySoundEvent", "eventId:u playArg:u reserved:u", "bool", ANSWER(d.PlaySoundEvent(U(0), U(1), U(2)))},
    {14, "SetSoundSwitch", "on:i", "nothing", EFFECT(d.SetSoundSwitch(I(0)))},
    {15, "SetSoundVolume", "volume:i", "nothing", EFFECT(d.SetSoundVolume(I(0)))},
    {16, "SetListenerPos", "x:i y:i", "nothing", EFFECT(d.SetListenerPos(I(0), I(1)))},
    {17, "SetListenerPosRef", "x:i y:i", "nothing (passes a ListenerPos by reference)", EFFECT(ListenerPos pos{I(0), I(1)}; d.SetListenerPos(pos))},
    {18, "PlaySoundAt", "name:t x:i y:i radius:i playArg:u restart:b", "bool", ANSWER(d.PlaySoundAt(T(0), I(1), I(2), I(3), U(4), B(5)))},
    {19, "SetDistanceFading", "on:i", "nothing", EFFECT(d.SetDistanceFading(I(0)))},
    {20, "GetSoundFile", "name:t", "text or null", ANSWER(JsonText(d.GetSoundFile(T(0))))},
    {21, "GetTerrainNpcInfo", "id:i", "TerrainNpcInfo or null", ANSWER(ToJsonOrNull(d.GetTerrainNpcInfo(I(0))))},
    {22, "GetBattlePos", "mapId:u index:i", "BattlePos", ANSWER(ToJsonOrNull(d.GetBattlePos(U(0), I(1))))},
    {23, "GetBattleRotaryAngle", "mapId:u", "int32", ANSWER(d.GetBattleRotaryAngle(U(0)))},
    {24, "GetBattleCameraTime", "mapId:u", "int32", ANSWER(d.GetBattleCameraTime(U(0)))},
    {25, "GetBattleTorch1", "mapId:u groupNo:i", "int32", ANSWER(d.GetBattleTorch1(U(0), I(1)))},
    {26, "GetBattleTorch2", "mapId:u groupNo:i", "int32", ANSWER(d.GetBattleTorch2(U(0), I(1)))},
    {27, "GetBattleTorch3", "mapId:u groupNo:i", "int32", ANSWER(d.GetBattleTorch3(U(0), I(1)))},
    {28, "GetBattleTorch4", "mapId:u groupNo:i", "int32", ANSWER(d.GetBattleTorch4(U(0), I(1)))},
    {29, "GetBattleViewPos", "key1:i key2:i", "BattleViewPos or null", ANSWER(ToJsonOrNull(d.GetBattleViewPos(I(0), I(1))))},
    {30, "GetBattleViewStartPos", "", "BattleViewPos", ANSWER(ToJsonOrNull(d.GetBattleViewStartPos()))},
    {31, "GetBattleArrayCellPos", "side:i", "BattlePos", ANSWER(ToJsonOrNull(d.GetBattleArrayCellPos(I(0))))},
    {32, "GetBattleCamera", "", "BattleCamera", ANSWER(ToJsonOrNull(d.GetBattleCamera()))},
    {33, "GetBattleMoveCamera", "", "BattleCamera", ANSWER(ToJsonOrNull(d.GetBattleMoveCamera()))},
    {34, "GetCaptureCamera1", "", "BattleCamera or null", ANSWER(ToJsonOrNull(d.GetCaptureCamera1()))},
    {35, "GetCaptureCamera2", "", "BattleCamera or null", ANSWER(ToJsonOrNull(d.GetCaptureCamera2()))},
    {36, "GetBattleDiveInfo", "", "BattleDiveInfo or null; reads ini/3DBattleDive.ini", ANSWER(ToJsonOrNull(d.GetBattleDiveInfo()))},
    {37, "GetFighterPos", "mapId:u key1:i key2:i groupNo:i", "FighterPos or null", ANSWER(ToJsonOrNull(d.GetFighterPos(U(0), I(1), I(2), I(3))))},
    {38, "GetFighterPosOffset", "key:u", "FighterPosOffset or null", ANSWER(ToJsonOrNull(d.GetFighterPosOffset(U(0))))},
    {39, "GetBattleStartPos", "mapId:u key1:i key2:i", "BattleStartPos or null", ANSWER(ToJsonOrNull(d.GetBattleStartPos(U(0), I(1), I(2))))},
    {40, "GetBattleMapInfo", "mapId:u", "BattleMapInfo or null", ANSWER(ToJsonOrNull(d.GetBattleMapInfo(U(0))))},
    {41, "SetStoredValue1", "value:i", "nothing", EFFECT(d.SetStoredValue1(I(0)))},
    {42, "GetStoredValue1", "", "int32", ANSWER(d.GetStoredValue1())},
    {43, "SetStoredValue2", "value:i", "nothing", EFFECT(d.SetStoredValue2(I(0)))},
    {44, "GetStoredValue2", "", "int32", ANSWER(d.GetStoredValue2())},
    {45, "ClearStoredValues", "", "nothing", EFFECT(d.ClearStoredValues())},
    {46, "GetCameraTrackInfo", "name:t", "CameraTrackInfo or null", ANSWER(T(0) == nullptr ? Json(nullptr) : ToJsonOrNull(d.GetCameraTrackInfo(T(0))))},
    {47, "GetCameraTrackFrames", "name:t", "[frame as 64 hex digits] or null; reads the track file", ANSWER(ToJsonOrNull(d.GetCameraTrackFrames(T(0))))},
    {48, "GetNpcInfo", "type:i", "NpcInfo or null", ANSWER(ToJsonOrNull(d.GetNpcInfo(I(0))))},
    {49, "GetNpcStarLookInfo", "type:i", "NpcStarLookInfo or null", ANSWER(ToJsonOrNull(d.GetNpcStarLookInfo(I(0))))},
    {50, "IsRolePartHidden", "k1:u k2:u k3:u k4:u value:u partName:t", "int32 (1 hidden, 0 not)", ANSWER(d.IsRolePartHidden(U(0), U(1), U(2), U(3), U(4), T(5)))},
    {51, "GetRolePartScale", "a:u b:u", "float", ANSWER(JsonFloat(d.GetRolePartScale(U(0), U(1))))},
    {52, "GetLookScale", "look:u", "float", ANSWER(JsonFloat(d.GetLookScale(U(0))))},
    {53, "GetMountScale", "a:u b:u", "float", ANSWER(JsonFloat(d.GetMountScale(U(0), U(1))))},
    {54, "Is2DRoleLook", "look:u", "bool", ANSWER(d.Is2DRoleLook(U(0)))},
    {55, "GetAppendentWeapon", "weaponId:u", "uint32", ANSWER(d.GetAppendentWeapon(U(0)))},
    {56, "GetWeaponAdjustByLook", "weapon:u look:u", "uint32", ANSWER(d.GetWeaponAdjustByLook(U(0), U(1)))},
    {57, "GetAction3DEffect", "a:u b:u c:u d:u", "text or null", ANSWER(JsonText(d.GetAction3DEffect(U(0), U(1), U(2), U(3))))},
    {58, "GetRoleWeapon3DEffect", "a:u b:u c:u d:u", "text or null", ANSWER(JsonText(d.GetRoleWeapon3DEffect(U(0), U(1), U(2), U(3))))},
    {59, "GetActionSound", "a:u b:u c:u", "text or null", ANSWER(JsonText(d.GetActionSound(U(0), U(1), U(2))))},
    {60, "GetSimpleObjInfo", "id:u", "SimpleObjInfo or null", ANSWER(ToJsonOrNull(d.GetSimpleObjInfo(U(0))))},
    {61, "GetRoleTraceInfo", "key:l", "RoleTraceInfo or null", ANSWER(ToJsonOrNull(d.GetRoleTraceInfo(a[0].I64())))},
    {62, "GetRolePartReplaceInfo", "key:i", "RolePartReplaceInfo or null", ANSWER(ToJsonOrNull(d.GetRolePartReplaceInfo(I(0))))},

};
// clang-format on

#undef ANSWER
#undef EFFECT
#undef U
#undef I
#undef B
#undef T

ArgType TypeOfLetter(char chType) {
  switch (chType) {
    case 'u': return ArgType::UInt32;
    case 'i': return ArgType::Int32;
    case 'l': return ArgType::Int64;
    case 'b': return ArgType::Bool;
    default: return ArgType::Text;
  }
}

const std::vector<Operation>& AllOperations() {
  static std::deque<std::string> s_argNames;  // stable storage for the ArgSpec names
  static const std::vector<Operation> s_operations = [] {
    std::vector<Operation> operations;
    for (const Row& row : ROWS) {
      Operation op{row.nSlot, row.pszName, {}, row.pszAnswer, row.pfnCall};
      for (const char* p = row.pszArgs; *p != '\0';) {
        const char* pColon = strchr(p, ':');
        s_argNames.emplace_back(p, pColon);
        op.args.push_back({s_argNames.back().c_str(), TypeOfLetter(pColon[1])});
        p = pColon[2] == ' ' ? pColon + 3 : pColon + 2;
      }
      operations.push_back(std::move(op));
    }
    return operations;
  }();
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
