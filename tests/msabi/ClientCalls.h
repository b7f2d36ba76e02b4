#pragma once
// The calls of the Microsoft-ABI client, shared with its Linux reference: one operation of
// every kind on the example data, each answer one line. Freestanding (no library at all):
// numbers go out in hexadecimal, floats as their bit patterns, so both builds write the same
// bytes for the same answers. The caller gives the line sink.

#include "I3DRoleBaseData.h"

class CClientOut {
 public:
  virtual void Write(const char* pText, unsigned nLength) = 0;

  CClientOut& Text(const char* pszText) {
    unsigned n = 0;
    if (pszText == nullptr) pszText = "(null)";
    while (pszText[n] != '\0') ++n;
    Write(pszText, n);
    return *this;
  }
  CClientOut& Hex(uint64_t nValue) {
    char szDigits[19] = "0x";
    int nCount = 16;
    while (nCount > 1 && ((nValue >> ((nCount - 1) * 4)) & 0xF) == 0) --nCount;
    for (int i = 0; i < nCount; ++i) {
      szDigits[2 + i] = "0123456789abcdef"[(nValue >> ((nCount - 1 - i) * 4)) & 0xF];
    }
    Write(szDigits, 2 + nCount);
    return *this;
  }
  CClientOut& Float(float fValue) {
    uint32_t nBits;
    __builtin_memcpy(&nBits, &fValue, sizeof(nBits));
    return Hex(nBits);
  }
  CClientOut& Line(const char* pszName) { return Text("\n").Text(pszName).Text(" "); }

 protected:
  ~CClientOut() = default;
};

inline void ClientCalls(I3DRoleBaseData* p, CClientOut& out) {
  out.Text("Create ").Hex(static_cast<uint32_t>(p->Create()));
  // Floats, truth values, 32-bit numbers.
  out.Line("GetLookScale").Float(p->GetLookScale(1201)).Text(" ").Float(p->GetLookScale(7));
  out.Line("Is2DRoleLook").Hex(p->Is2DRoleLook(1001)).Text(" ").Hex(p->Is2DRoleLook(5));
  out.Line("GetWeaponAdjustByLook").Hex(p->GetWeaponAdjustByLook(410, 3));
  out.Line("GetBattleTorch1").Hex(static_cast<uint32_t>(p->GetBattleTorch1(1001, 0)));
  out.Line("GetSoundVolume").Hex(p->GetSoundVolume(30, 40, 100, 0));
  out.Line("PlaySoundEvent").Hex(p->PlaySoundEvent(1, 0, 0));
  out.Line("StopSound").Hex(p->StopSound("nothing"));
  // Slots 11, 16 and 17: the record result and the two overloads.
  p->SetListenerPos(41, 42);
  ListenerPos pos = p->GetListenerPos();
  out.Line("SetListenerPos(x,y)")
      .Hex(static_cast<uint32_t>(pos.x))
      .Text(" ")
      .Hex(static_cast<uint32_t>(pos.y));
  p->SetListenerPos(ListenerPos{31, 32});
  pos = p->GetListenerPos();
  out.Line("SetListenerPos(pos)")
      .Hex(static_cast<uint32_t>(pos.x))
      .Text(" ")
      .Hex(static_cast<uint32_t>(pos.y));
  p->SetStoredValue2(-5);
  out.Line("GetStoredValue2").Hex(static_cast<uint32_t>(p->GetStoredValue2()));
  // The 64-bit argument.
  const RoleTraceInfo* pTrace = p->GetRoleTraceInfo(10050003);
  out.Line("GetRoleTraceInfo").Hex(pTrace != nullptr ? static_cast<uint64_t>(pTrace->Key) : 0);
  out.Line("GetAction3DEffect").Text(p->GetAction3DEffect(1201, 410, 100, 1));
  out.Line("GetActionSound").Text(p->GetActionSound(1, 2, 3));
  // Records read in place, with their strings and arrays.
  uint32_t nMapId = 0;
  const GameMapInfo* pMap = nullptr;
  for (bool b = p->GetFirstGameMapInfo(&nMapId, &pMap); b;
       b = p->GetNextGameMapInfo(&nMapId, &pMap)) {
    out.Line("GameMap").Hex(nMapId).Text(" ").Text(pMap->File).Text(" ").Float(pMap->LightDirX);
    out.Text(" ").Text(pMap->DaySound).Text(" ").Hex(pMap->Limit.size());
    for (uint32_t nLimit : pMap->Limit) out.Text(" ").Hex(nLimit);
  }
  const RegionList* pRegions = p->GetRegionList();
  for (const RegionInfo& region : *pRegions) {
    out.Line("Region").Hex(region.Id).Text(" ").Text(region.Name).Text(" ").Text(region.Text18);
  }
  const TerrainNpcInfo* pTerrain = p->GetTerrainNpcInfo(-1);
  if (pTerrain != nullptr) {
    out.Line("TerrainNpc").Hex(static_cast<uint32_t>(pTerrain->Id)).Text(" ").Text(pTerrain->Name);
    for (const CRecordString& dir : pTerrain->Dirs)
      out.Text(" ").Text(dir.c_str()).Text("/").Hex(dir.size());
  }
  const BattleMapInfo* pBattle = p->GetBattleMapInfo(1001);
  if (pBattle != nullptr) {
    out.Line("BattleMap").Hex(static_cast<uint32_t>(pBattle->TerraHigh)).Text(" ");
    out.Hex(pBattle->vecStartPos.size()).Text(" ").Hex(pBattle->vecFighterGroup.size());
    for (const FighterGroup& group : pBattle->vecFighterGroup)
      out.Text(" ").Hex(group.vecFighterPos.size());
  }
  const BattleCamera* pCamera = p->GetBattleCamera();
  out.Line("BattleCamera").Float(pCamera->fEye[0]).Text(" ").Float(pCamera->fRotation[2]);
  const NpcInfo* pNpc = p->GetNpcInfo(1);
  out.Line("NpcInfo").Hex(pNpc != nullptr ? 1 : 0);
  const CameraTrackFrameList* pFrames = p->GetCameraTrackFrames("intro");
  out.Line("CameraTrackFrames").Hex(pFrames != nullptr ? pFrames->size() : 0);
  const SimpleObjInfo* pObj = p->GetSimpleObjInfo(1);
  out.Line("SimpleObjInfo").Hex(pObj != nullptr ? pObj->Motions.size() : 0);
  if (pObj != nullptr) {
    for (int64_t nMotion : pObj->Motions) out.Text(" ").Hex(static_cast<uint64_t>(nMotion));
  }
  out.Text("\n");
}
