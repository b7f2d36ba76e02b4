#include "QuerySweep.h"

#include <cstdio>
#include <sstream>
#include <type_traits>
#include <vector>

#include "ModuleFixture.h"

namespace fs = std::filesystem;

namespace {

// Numbers of the example tables and their neighbours, wildcards and keys no table has.
const int64_t KEYS[] = {-2,   -1,   0,    1,    2,    3,    4,    5,    6,    7,    9,
                        12,   20,   30,   100,  410,  411,  420,  500,  999,  1000, 1001,
                        1002, 1003, 1201, 1202, 1203, 2001, 2101, 3005, 9999, 10020003,
                        10030003, 10050003, 19990003, 20010001, 4294967295};
const uint32_t BATTLE_MAPS[] = {0, 1001, 5};
const uint32_t LOOKS[] = {1201, 1202, 1203, 2101, 999, 5};
const uint32_t WEAPONS[] = {410, 520, 9999, 999, 1};
const uint32_t ACTIONS[] = {100, 200, 300, 400, 999};
const uint32_t LEVELS[] = {1, 2, 999};
const char* const PARTS[] = {"Hair", "Cloak", "Head", ""};
const uint32_t HIDE_VALUES[] = {0, 1, 5, 10, 11, 50, 60, 61, 100, 101};
const char* const SOUND_NAMES[] = {"button_click", "level_up", "sound/any.wav", "hit", ""};
const char* const TRACK_NAMES[] = {"intro", "outro", ""};

std::string Text(const char* psz) {
  return psz == nullptr ? std::string("null") : "\"" + std::string(psz) + "\"";
}

std::string Float(float f) {
  char sz[32];
  snprintf(sz, sizeof(sz), "%.9g", f);
  return sz;
}

template <typename T, size_t N>
std::string Values(const T (&a)[N]) {
  std::string str;
  for (const T& value : a) str += " " + std::to_string(value);
  return str;
}

// The record's 32-bit values as V, blank-separated; "null" for none.
template <typename V = int32_t, typename T>
std::string Numbers(const T* p) {
  if (p == nullptr) return "null";
  std::string str;
  for (V value : Fields<V>(p)) {
    str += (str.empty() ? "" : " ") +
           (std::is_same_v<V, float> ? Float(static_cast<float>(value)) : std::to_string(value));
  }
  return str;
}

}  // namespace

std::string Describe(const BattlePos* p) { return Numbers(p); }
std::string Describe(const BattleCamera* p) { return Numbers<float>(p); }
std::string Describe(const BattleViewPos* p) { return Numbers(p); }
std::string Describe(const FighterPos* p) { return Numbers(p); }
std::string Describe(const BattleStartPos* p) { return Numbers(p); }
std::string Describe(const FighterPosOffset* p) { return Numbers(p); }
std::string Describe(const BattleDiveInfo* p) {
  if (p == nullptr) return "null";
  std::string str;
  for (float f : p->fBlock1) str += " " + Float(f);
  for (float f : p->fBlock2) str += " " + Float(f);
  return str + Values(p->nValue);
}
std::string Describe(const BattleMapInfo* p) {
  if (p == nullptr) return "null";
  std::ostringstream out;
  out << Describe(&p->CenterWorld) << " " << Describe(&p->CenterCell) << " "
      << Describe(&p->UpArrayCellpos) << " " << Describe(&p->DownArrayCellpos) << " "
      << p->MaxScale << " " << p->MinScale << " " << p->DefScale << " " << p->StartScale << " "
      << p->DefAngle << " " << p->StartAngle << " " << p->RotaryAngle << " " << p->CameraTime
      << " " << p->TerraHigh << " starts";
  for (const BattleStartPos& pos : p->vecStartPos) out << " [" << Describe(&pos) << "]";
  for (const FighterGroup& group : p->vecFighterGroup) {
    out << " group " << group.nNumber << Values(group.nTorch);
    for (const FighterPos& pos : group.vecFighterPos) out << " [" << Describe(&pos) << "]";
  }
  return out.str();
}
std::string Describe(const GameMapInfo* p) {
  if (p == nullptr) return "null";
  std::ostringstream out;
  out << Text(p->File) << " " << p->PuzzleGridSize << " " << p->Light << " " << p->Oblique << " "
      << Float(p->LightDirX) << " " << Float(p->LightDirY) << " " << Float(p->LightDirZ) << " "
      << p->Diffuse << " " << p->Ambient << " " << p->Switch << " " << Text(p->DaySound) << " "
      << Text(p->NightSound) << " " << p->Day << " " << p->Nightfall << " " << p->Night << " "
      << p->Dawn << " " << p->Jump << " limit";
  for (uint32_t n : p->Limit) out << " " << n;
  return out.str();
}
std::string Describe(const RegionInfo* p) {
  if (p == nullptr) return "null";
  std::ostringstream out;
  out << p->Id << " " << p->SecondId << " " << p->Value3 << " " << p->Value4 << " " << p->Value5
      << " " << p->Value6 << " " << p->Value7 << " " << p->Name << " " << p->Text9 << " "
      << p->Value10 << " " << p->Value11 << " " << p->Value12 << " " << p->Value13 << " "
      << p->Signed14 << " " << p->Signed15 << " " << p->Signed16 << " " << p->Signed17 << " "
      << p->Text18;
  return out.str();
}
std::string Describe(const TerrainNpcInfo* p) {
  if (p == nullptr) return "null";
  std::string str = std::to_string(p->Id) + " " + Text(p->Name);
  for (const CRecordString& strDir : p->Dirs) str += " " + Text(strDir.c_str());
  return str;
}
std::string Describe(const CameraTrackInfo* p) {
  return p == nullptr ? "null" : std::to_string(p->nNumber) + " " + Text(p->strPath);
}
std::string Describe(const CameraTrackFrameList* p) {
  if (p == nullptr) return "null";
  std::string str = std::to_string(p->size()) + " frames";
  for (const CameraTrackFrame& frame : *p) {
    for (unsigned char by : frame.abyData) str += " " + std::to_string(by);
  }
  return str;
}
std::string Describe(const NpcInfo* p) {
  if (p == nullptr) return "null";
  std::ostringstream out;
  out << p->Id << "|" << p->Name << "|" << p->Effect << "|" << p->SimpleObjID << " "
      << p->StandByMotion << " " << p->BlazeMotion << " " << p->RestMotion << " " << p->ASB << " "
      << p->ADB << " " << p->FixDir;
  return out.str();
}
std::string Describe(const NpcStarLookInfo* p) {
  if (p == nullptr) return "null";
  std::ostringstream out;
  out << p->Id << "|" << p->Name << "|";
  for (int32_t n : {p->FixDir, p->AddSize, p->Scale, p->Look, p->Head, p->Hair, p->Armor, p->Armet,
                    p->RWeapon, p->LWeapon, p->Misc, p->MiscBack, p->Mount}) {
    out << n << " ";
  }
  out << "|" << p->Effect << "|" << p->Note << "|" << p->FrontBlock << " " << p->BackBlock << " "
      << p->LeftBlock << " " << p->RightBlock << "|" << p->EffAdd << "|" << p->EffDel;
  return out.str();
}
std::string Describe(const SimpleObjInfo* p) {
  if (p == nullptr) return "null";
  std::string str = std::to_string(p->SimpleObj) + " " + Float(p->Scale) + " motions";
  for (int64_t nMotion : p->Motions) str += " " + std::to_string(nMotion);
  return str;
}
std::string Describe(const RoleTraceInfo* p) {
  if (p == nullptr) return "null";
  return std::to_string(p->Key) + " " + std::to_string(p->Field2) + " " +
         std::to_string(p->Field3) + " " + std::to_string(p->Field4) + " " +
         std::to_string(p->Field5) + " " + Float(p->Field6);
}
std::string Describe(const RolePartReplaceInfo* p) { return Numbers<uint32_t>(p); }

fs::path ExampleDataFolder() { return fs::path(KESTRIN_EXAMPLE_DATA); }

void CopyExampleData(const fs::path& folder) {
  for (const char* pszPart : {"ini", "track"}) {
    fs::copy(ExampleDataFolder() / pszPart, folder / pszPart,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
}

std::string DescribeAnswers(I3DRoleBaseData* pData) {
  std::ostringstream out;
  // Game maps, walked and asked by id.
  uint32_t nMapId = 0;
  const GameMapInfo* pMap = nullptr;
  for (int32_t nMore = pData->GetFirstGameMapInfo(&nMapId, &pMap); nMore != 0;
       nMore = pData->GetNextGameMapInfo(&nMapId, &pMap)) {
    out << "GameMap " << nMapId << ": " << Describe(pMap) << "\n";
  }
  for (int64_t nKey : KEYS) {
    uint32_t u = static_cast<uint32_t>(nKey);
    int32_t i = static_cast<int32_t>(nKey);
    out << "key " << nKey << ": map " << Describe(pData->GetGameMapInfo(u)) << "; region "
        << Describe(pData->GetRegionInfo(u)) << "; region name " << Text(pData->GetRegionName(u))
        << "; event " << Text(pData->GetSoundEventName(u)) << "; terrain npc "
        << Describe(pData->GetTerrainNpcInfo(i)) << "; offset "
        << Describe(pData->GetFighterPosOffset(u)) << "; npc " << Describe(pData->GetNpcInfo(i))
        << "; star look " << Describe(pData->GetNpcStarLookInfo(i)) << "; look scale "
        << Float(pData->GetLookScale(u)) << "; 2D " << pData->Is2DRoleLook(u) << "; appended "
        << pData->GetAppendentWeapon(u) << "; simple object "
        << Describe(pData->GetSimpleObjInfo(u)) << "; trace "
        << Describe(pData->GetRoleTraceInfo(nKey)) << "; replace "
        << Describe(pData->GetRolePartReplaceInfo(i)) << "; cell "
        << Describe(pData->GetBattleArrayCellPos(i)) << "\n";
  }
  const RegionList* pRegions = pData->GetRegionList();
  out << "regions " << (pRegions == nullptr ? 0 : pRegions->size()) << "\n";
  if (pRegions != nullptr) {
    for (const RegionInfo& info : *pRegions) out << "  " << Describe(&info) << "\n";
  }
  for (const char* pszName : SOUND_NAMES) {
    const char* pszFile = pData->GetSoundFile(pszName);
    bool bPicked = std::string(pszName) == "hit";
    out << "sound file " << Text(pszName) << ": "
        << (bPicked ? (pszFile != nullptr ? "some file" : "null") : Text(pszFile)) << "\n";
  }
  ListenerPos listener = pData->GetListenerPos();
  out << "listener " << listener.x << "," << listener.y << " volume at it "
      << pData->GetSoundVolume(listener.x, listener.y, 10, 0) << "\n";
  // Battle maps, positions and cameras.
  for (uint32_t nMap : BATTLE_MAPS) {
    out << "battle map " << nMap << ": " << Describe(pData->GetBattleMapInfo(nMap))
        << "; angle " << pData->GetBattleRotaryAngle(nMap) << "; time "
        << pData->GetBattleCameraTime(nMap) << "\n";
    for (int32_t nIndex = -1; nIndex <= 6; ++nIndex) {
      out << "  pos " << nIndex << " " << Describe(pData->GetBattlePos(nMap, nIndex)) << "\n";
    }
    for (int32_t nGroup = 0; nGroup <= 4; ++nGroup) {
      out << "  group " << nGroup << " torches " << pData->GetBattleTorch1(nMap, nGroup) << " "
          << pData->GetBattleTorch2(nMap, nGroup) << " " << pData->GetBattleTorch3(nMap, nGroup)
          << " " << pData->GetBattleTorch4(nMap, nGroup);
      for (int32_t nKey1 = 0; nKey1 <= 2; ++nKey1) {
        for (int32_t nKey2 = 0; nKey2 <= 2; ++nKey2) {
          out << " [" << Describe(pData->GetFighterPos(nMap, nKey1, nKey2, nGroup)) << "]";
        }
      }
      out << "\n";
    }
    for (int32_t nKey1 = 0; nKey1 <= 1; ++nKey1) {
      out << "  start " << nKey1 << " " << Describe(pData->GetBattleStartPos(nMap, nKey1, 0))
          << "\n";
    }
  }
  for (int32_t nKey1 = 0; nKey1 <= 1; ++nKey1) {
    for (int32_t nKey2 = 0; nKey2 <= 2; ++nKey2) {
      out << "view " << nKey1 << " " << nKey2 << ": "
          << Describe(pData->GetBattleViewPos(nKey1, nKey2)) << "\n";
    }
  }
  out << "view start " << Describe(pData->GetBattleViewStartPos()) << "\n"
      << "battle camera " << Describe(pData->GetBattleCamera()) << "\n"
      << "move camera " << Describe(pData->GetBattleMoveCamera()) << "\n"
      << "capture cameras " << Describe(pData->GetCaptureCamera1()) << " / "
      << Describe(pData->GetCaptureCamera2()) << "\n"
      << "dive " << Describe(pData->GetBattleDiveInfo()) << "\n"
      << "stored " << pData->GetStoredValue1() << " " << pData->GetStoredValue2() << "\n";
  for (const char* pszTrack : TRACK_NAMES) {
    out << "track " << Text(pszTrack) << ": " << Describe(pData->GetCameraTrackInfo(pszTrack))
        << "; frames " << Describe(pData->GetCameraTrackFrames(pszTrack)) << "\n";
  }
  // Appearance: part hiding, scales, weapons, effects and action sounds by their key parts.
  for (uint32_t nLook : LOOKS) {
    for (uint32_t nValue : HIDE_VALUES) {
      out << "hidden " << nLook << " " << nValue << ":";
      for (const char* pszPart : PARTS) {
        out << " " << pData->IsRolePartHidden(nLook, 1, 3, 0, nValue, pszPart);
      }
      out << "\n";
    }
    for (uint32_t nWeapon : WEAPONS) {
      out << "look " << nLook << " weapon " << nWeapon << ": adjust "
          << pData->GetWeaponAdjustByLook(nWeapon, nLook) << " part scale "
          << Float(pData->GetRolePartScale(nLook % 100, nWeapon % 10)) << " mount scale "
          << Float(pData->GetMountScale(nWeapon % 10, nLook % 10));
      for (uint32_t nAction : ACTIONS) {
        out << " | " << nAction << " sound "
            << Text(pData->GetActionSound(nLook, nWeapon, nAction));
        for (uint32_t nLevel : LEVELS) {
          out << " fx " << Text(pData->GetAction3DEffect(nLook, nWeapon, nAction, nLevel)) << " "
              << Text(pData->GetRoleWeapon3DEffect(nLook, nWeapon, nAction, nLevel));
        }
      }
      out << "\n";
    }
  }
  for (uint32_t nPart : {12u, 30u, 1u}) {
    for (uint32_t nPiece : {5u, 6u, 1u}) {
      out << "part scale " << nPart << "." << nPiece << " "
          << Float(pData->GetRolePartScale(nPart, nPiece)) << "\n";
    }
  }
  for (uint32_t nMount : {7u, 9u}) {
    for (uint32_t nLook : {1u, 3u, 4u}) {
      out << "mount scale " << nMount << "." << nLook << " "
          << Float(pData->GetMountScale(nMount, nLook)) << "\n";
    }
  }
  for (uint32_t nWeapon : {410u, 500u}) {
    for (uint32_t nLook : {1u, 3u, 4u, 1201u}) {
      out << "adjust " << nWeapon << "." << nLook << " "
          << pData->GetWeaponAdjustByLook(nWeapon, nLook) << "\n";
    }
  }
  return out.str();
}
