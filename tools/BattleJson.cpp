// Battle maps, battle positions and cameras as JSON.
#include "RecordJson.h"

namespace {

template <size_t N>
Json Ints(const int32_t (&anValue)[N]) {
  Json values = Json::array();
  for (int32_t nValue : anValue) values.push_back(nValue);
  return values;
}

}  // namespace

Json ToJson(const BattlePos& pos) { return Json{{"x", pos.x}, {"y", pos.y}}; }

Json ToJson(const BattleCamera& camera) {
  return Json{{"target", JsonFloats(camera.fTarget)},
              {"eye", JsonFloats(camera.fEye)},
              {"rotation", JsonFloats(camera.fRotation)}};
}

Json ToJson(const FighterPos& pos) {
  return Json{{"key1", pos.nKey1}, {"key2", pos.nKey2}, {"values", Ints(pos.nValue)}};
}

Json ToJson(const BattleStartPos& pos) {
  return Json{{"key1", pos.nKey1}, {"key2", pos.nKey2}, {"values", Ints(pos.nValue)}};
}

Json ToJson(const BattleViewPos& pos) {
  return Json{{"key1", pos.nKey1}, {"key2", pos.nKey2}, {"values", Ints(pos.nValue)}};
}

Json ToJson(const BattleDiveInfo& info) {
  return Json{{"block1", JsonFloats(info.fBlock1)},
              {"block2", JsonFloats(info.fBlock2)},
              {"values", Ints(info.nValue)}};
}

Json ToJson(const FighterPosOffset& offset) { return Json{{"x", offset.x}, {"y", offset.y}}; }

Json ToJson(const FighterGroup& group) {
  Json positions = Json::array();
  for (const FighterPos& pos : group.vecFighterPos) positions.push_back(ToJson(pos));
  return Json{{"number", group.nNumber}, {"torch", Ints(group.nTorch)}, {"fighterPos", positions}};
}

Json ToJson(const BattleMapInfo& info) {
  Json startPos = Json::array();
  for (const BattleStartPos& pos : info.vecStartPos) startPos.push_back(ToJson(pos));
  Json groups = Json::array();
  for (const FighterGroup& group : info.vecFighterGroup) groups.push_back(ToJson(group));
  return Json{{"CenterWorld", ToJson(info.CenterWorld)},
              {"CenterCell", ToJson(info.CenterCell)},
              {"UpArrayCellpos", ToJson(info.UpArrayCellpos)},
              {"DownArrayCellpos", ToJson(info.DownArrayCellpos)},
              {"MaxScale", info.MaxScale},
              {"MinScale", info.MinScale},
              {"DefScale", info.DefScale},
              {"StartScale", info.StartScale},
              {"DefAngle", info.DefAngle},
              {"StartAngle", info.StartAngle},
              {"RotaryAngle", info.RotaryAngle},
              {"CameraTime", info.CameraTime},
              {"TerraHigh", info.TerraHigh},
              {"StartPos", startPos},
              {"FighterGroups", groups}};
}

Json ToJson(const CameraTrackInfo& info) {
  return Json{{"number", info.nNumber}, {"path", JsonText(static_cast<const char*>(info.strPath))}};
}

Json ToJson(const CameraTrackFrameList& frames) {
  Json list = Json::array();
  for (const CameraTrackFrame& frame : frames)
    list.push_back(JsonHex(frame.abyData, sizeof(frame.abyData)));
  return list;
}
