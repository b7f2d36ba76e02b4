// Battle position queries over the battle maps, and ini/FighterPosOffset.ini.
#include <string>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TableText.h"
#include "TextScan.h"


using ZorGameBase::DecimalHere;
using ZorGameBase::IMAGE_END;

namespace {

const char FIGHTER_POS_OFFSET_FILE[] = "ini/FighterPosOffset.ini";
const size_t LINE_BUFFER = 1024;  // fgets into 1024 bytes: pieces of at most 1023 characters

// The map stored under nMapId; else map 0; else null.
const BattleMapInfo* FindBattleMap(const BattleMapTable& mapBattleMap, uint32_t nMapId) {
  const BattleMapInfo* pMap = mapBattleMap.Find(nMapId);
  return pMap != nullptr || nMapId == 0 ? pMap : mapBattleMap.Find(0);
}

// The first group of the map with this number; null for a null map or no such group.
const FighterGroup* FindFighterGroup(const BattleMapInfo* pMap, int32_t nGroupNo) {
  if (pMap == nullptr) return nullptr;
  for (const FighterGroup& group : pMap->vecFighterGroup) {
    if (group.nNumber == nGroupNo) return &group;
  }
  return nullptr;
}

// The first position of the group, in file order, with this key pair; null when none.
const FighterPos* FindFighterPos(const FighterGroup* pGroup, int32_t nKey1, int32_t nKey2) {
  if (pGroup == nullptr) return nullptr;
  for (const FighterPos& pos : pGroup->vecFighterPos) {
    if (pos.nKey1 == nKey1 && pos.nKey2 == nKey2) return &pos;
  }
  return nullptr;
}

// Torch value nTorch (0 to 3) of the group; -1 when no map or group is found.
int32_t GetTorch(const BattleMapTable& mapBattleMap, uint32_t nMapId, int32_t nGroupNo,
                 int nTorch) {
  const FighterGroup* pGroup = FindFighterGroup(FindBattleMap(mapBattleMap, nMapId), nGroupNo);
  return pGroup == nullptr ? -1 : pGroup->nTorch[nTorch];
}

}  // namespace

// Lines "key x y" ("%u %d %d"), e.g. 10 -3 4; a line starting with a line feed or ';' is
// skipped. The first line that does not convert ends the reading. Adds to the offsets of an
// earlier run; a later line of the same key replaces the offset. 0 when the file cannot be
// opened (nothing logged), else 1.
int32_t C3DRoleBaseData::CreateFighterPosOffsetInfo() {
  uint64_t nKey, nX, nY;
  bool bOpened = ForEachLineRecord(
      FIGHTER_POS_OFFSET_FILE, LINE_BUFFER,
      [&](const char* p, const char*) -> const char* {
        bool bRead = DecimalHere(p, IMAGE_END, nKey) && DecimalHere(p = SkipBlanks(p), IMAGE_END, nX) &&
                     DecimalHere(p = SkipBlanks(p), IMAGE_END, nY);
        return bRead ? p : nullptr;
      },
      [&] {
        m_mapFighterPosOffset.Add(static_cast<uint32_t>(nKey),
                                  FighterPosOffset{static_cast<int32_t>(static_cast<uint32_t>(nX)),
                                                   static_cast<int32_t>(static_cast<uint32_t>(nY))});
      },
      [&](std::string_view line) {
        if (!line.empty() && (line[0] == '\n' || line[0] == ';')) return true;
        ZorGameBase::CTextScan fields(line);
        uint32_t nKey32;
        FighterPosOffset offset;
        if (!fields.UInt32(nKey32) || !fields.Int32(offset.x) || !fields.Int32(offset.y)) {
          if (ZorGameBase::LoadObserver() != nullptr) {
            ObserveLine(ZorGameBase::RULE_LINE_IGNORED, FIGHTER_POS_OFFSET_FILE, line,
                        "the line does not read as \"key x y\"; the client stops reading the file here");
          }
          return false;
        }
        m_mapFighterPosOffset.Add(nKey32, offset);
        return true;
      });
  if (!bOpened) return 0;
  m_mapFighterPosOffset.EndLoad();
  return 1;
}

// CenterWorld of the map (map 0 for an unlisted one) for index 0; otherwise, and when there is
// no map, the assertion and the default position (0, 0). Never null.
const BattlePos* C3DRoleBaseData::GetBattlePos(uint32_t nMapId, int32_t nIndex) {
  const BattleMapInfo* pMap = FindBattleMap(m_mapBattleMap, nMapId);
  if (pMap != nullptr && nIndex == 0) return &pMap->CenterWorld;
  ASSERT_AS(FALSE, __LINE__, SERVICE_SOURCE, "C3DRoleBaseData::GetBattlePos");
  return &m_defaultPos;
}

// RotaryAngle of the map (map 0 for an unlisted one); 0 when none.
int32_t C3DRoleBaseData::GetBattleRotaryAngle(uint32_t nMapId) {
  const BattleMapInfo* pMap = FindBattleMap(m_mapBattleMap, nMapId);
  return pMap == nullptr ? 0 : pMap->RotaryAngle;
}

// CameraTime of the map (map 0 for an unlisted one); 1000 when none.
int32_t C3DRoleBaseData::GetBattleCameraTime(uint32_t nMapId) {
  const BattleMapInfo* pMap = FindBattleMap(m_mapBattleMap, nMapId);
  return pMap == nullptr ? 1000 : pMap->CameraTime;
}

// The torch values of the map's first group of this number; -1 when no map or group. Map 0
// answers only for a map that is not listed, never for a group the map lacks.
int32_t C3DRoleBaseData::GetBattleTorch1(uint32_t nMapId, int32_t nGroupNo) {
  return GetTorch(m_mapBattleMap, nMapId, nGroupNo, 0);
}

int32_t C3DRoleBaseData::GetBattleTorch2(uint32_t nMapId, int32_t nGroupNo) {
  return GetTorch(m_mapBattleMap, nMapId, nGroupNo, 1);
}

int32_t C3DRoleBaseData::GetBattleTorch3(uint32_t nMapId, int32_t nGroupNo) {
  return GetTorch(m_mapBattleMap, nMapId, nGroupNo, 2);
}

int32_t C3DRoleBaseData::GetBattleTorch4(uint32_t nMapId, int32_t nGroupNo) {
  return GetTorch(m_mapBattleMap, nMapId, nGroupNo, 3);
}

// Of battle map 0 only: UpArrayCellpos for side 1, DownArrayCellpos for any other side; the
// default position (0, 0) without map 0. Never null.
const BattlePos* C3DRoleBaseData::GetBattleArrayCellPos(int32_t nSide) {
  const BattleMapInfo* pMap = FindBattleMap(m_mapBattleMap, 0);
  if (pMap == nullptr) return &m_defaultPos;
  return nSide == 1 ? &pMap->UpArrayCellpos : &pMap->DownArrayCellpos;
}

// The first position with this key pair in the map's first group of this number; null when
// any of map, group or position is missing.
const FighterPos* C3DRoleBaseData::GetFighterPos(uint32_t nMapId, int32_t nKey1, int32_t nKey2,
                                                 int32_t nGroupNo) {
  return FindFighterPos(FindFighterGroup(FindBattleMap(m_mapBattleMap, nMapId), nGroupNo),
                        nKey1, nKey2);
}

// The offset stored under the key; null when absent.
const FighterPosOffset* C3DRoleBaseData::GetFighterPosOffset(uint32_t nKey) {
  return m_mapFighterPosOffset.Find(nKey);
}

// The map's first start position in file order with this key pair; null when none.
const BattleStartPos* C3DRoleBaseData::GetBattleStartPos(uint32_t nMapId, int32_t nKey1,
                                                         int32_t nKey2) {
  const BattleMapInfo* pMap = FindBattleMap(m_mapBattleMap, nMapId);
  if (pMap == nullptr) return nullptr;
  for (const BattleStartPos& pos : pMap->vecStartPos) {
    if (pos.nKey1 == nKey1 && pos.nKey2 == nKey2) return &pos;
  }
  return nullptr;
}

// Exactly the map of this number; map 0 does not stand in here. Null when absent.
const BattleMapInfo* C3DRoleBaseData::GetBattleMapInfo(uint32_t nMapId) {
  return m_mapBattleMap.Find(nMapId);
}

void C3DRoleBaseData::ReleaseFighterPosOffsetInfo() { m_mapFighterPosOffset.Clear(); }
