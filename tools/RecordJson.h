#pragma once
// The records of I3DRoleBaseData as JSON objects with their field names, one source file per
// record family (BattleJson.cpp, RoleJson.cpp, ...). Texts are the tables' GBK shown as UTF-8
// (ReadableText).

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "I3DRoleBaseData.h"
#include "ReadableText.h"

using Json = nlohmann::ordered_json;

// A zero-terminated text, or null for a null pointer.
Json JsonText(const char* pszText);
Json JsonText(std::string_view text);
// A fixed character field: the text up to its first zero byte, never past the field.
template <size_t N>
Json JsonChars(const char (&achText)[N]) {
  size_t nLength = 0;
  while (nLength < N && achText[nLength] != '\0') ++nLength;
  return JsonText(std::string_view(achText, nLength));
}
// A 32-bit float as its shortest decimal form (1.25, not 1.25000000000000000).
Json JsonFloat(float fValue);
template <size_t N>
Json JsonFloats(const float (&afValue)[N]) {
  Json values = Json::array();
  for (float fValue : afValue) values.push_back(JsonFloat(fValue));
  return values;
}
// Bytes as lower-case hexadecimal digits, two per byte.
Json JsonHex(const unsigned char* pbyData, size_t nSize);

// A record or null.
template <typename Record>
Json ToJsonOrNull(const Record* pRecord) {
  return pRecord == nullptr ? Json(nullptr) : ToJson(*pRecord);
}

// Battle maps, positions and cameras (BattleJson.cpp).
Json ToJson(const BattlePos& pos);
Json ToJson(const BattleCamera& camera);
Json ToJson(const FighterPos& pos);
Json ToJson(const BattleStartPos& pos);
Json ToJson(const BattleViewPos& pos);
Json ToJson(const BattleDiveInfo& info);
Json ToJson(const FighterPosOffset& offset);
Json ToJson(const FighterGroup& group);
Json ToJson(const BattleMapInfo& info);
Json ToJson(const CameraTrackInfo& info);
Json ToJson(const CameraTrackFrameList& frames);  // one hexadecimal string per 32-byte frame

// Role appearance (RoleJson.cpp).
Json ToJson(const NpcInfo& info);
Json ToJson(const NpcStarLookInfo& info);
Json ToJson(const RolePartReplaceInfo& info);
Json ToJson(const SimpleObjInfo& info);

// Role traces (RoleTraceJson.cpp).
Json ToJson(const RoleTraceInfo& info);

// Sound (SoundJson.cpp).
Json ToJson(const ListenerPos& pos);

// World maps (WorldJson.cpp).
Json ToJson(const GameMapInfo& info);
Json ToJson(const RegionInfo& info);
Json ToJson(const RegionList& list);
Json ToJson(const TerrainNpcInfo& info);
