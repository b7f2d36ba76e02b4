#pragma once
// The module as the client meets it, driven by one input: a data folder and a run of calls
// (ModuleInput.h). Each run writes the folder, reads the crash report's setup and version
// stamp, then RoleBaseDataQuery, Create, every other operation once and then as the calls say
// (sound operations on the stand-in sound and resource managers; files may vanish on the way),
// a second Create, the same calls again and RoleBaseDataDestroy. Every answer is read whole, and
// every pointer handed out is read again just before the next Create and before the end, so a
// pointer that dies early or a text without its end shows up under the address sanitizer.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "CrashReport.h"
#include "DatCipher.h"
#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"
#include "ModuleInput.h"
#include "UlmLogic.h"
#include "ZorCommon.h"
#include "ZorSound.h"

namespace fs = std::filesystem;

namespace {

const size_t POOL_MAX = 4096;   // numbers and words taken from the tables
const size_t WORD_MAX = 300;
const size_t CALLS_MAX = 4000;  // calls of the driven run per load
const int OPERATION_COUNT = 62;  // slots 1 to 62, then six of the stand-ins and the files

volatile uint64_t g_nSink;

// Reads every byte: a read of freed or foreign memory stops the run under the sanitizer.
void Touch(const void* p, size_t nSize) {
  for (size_t i = 0; i < nSize; ++i) g_nSink = g_nSink + static_cast<const unsigned char*>(p)[i];
}
void TouchText(const char* psz) { Touch(psz, strlen(psz) + 1); }

// The parts of a record beyond its fixed bytes: texts the client reads to their end, in place
// or behind a pointer, and lists with everything they hold.
template <typename T>
void Part(const T&) {}
template <size_t N>
void Part(const char (&szText)[N]) {
  FuzzSupport::Check(memchr(szText, '\0', N) != nullptr);
}
void Part(const ZorString::CZorString& strText) { TouchText(strText); }
void Part(const CRecordString& strText) { TouchText(strText.c_str()); }
template <typename T>
void Part(const std::vector<T>& vec);
void Part(const GameMapInfo& info) {
  Part(info.File), Part(info.DaySound), Part(info.NightSound), Part(info.Limit);
}
void Part(const RegionInfo& info) { Part(info.Name), Part(info.Text9), Part(info.Text18); }
void Part(const TerrainNpcInfo& info) { Part(info.Name), Part(info.Dirs); }
void Part(const FighterGroup& group) { Part(group.vecFighterPos); }
void Part(const BattleMapInfo& info) { Part(info.vecStartPos), Part(info.vecFighterGroup); }
void Part(const CameraTrackInfo& info) { Part(info.strPath); }
void Part(const NpcInfo& info) { Part(info.Name), Part(info.Effect); }
void Part(const NpcStarLookInfo& info) {
  Part(info.Name), Part(info.Effect), Part(info.Note), Part(info.EffAdd), Part(info.EffDel);
}
void Part(const SimpleObjInfo& info) { Part(info.Motions); }
template <typename T>
void Part(const std::vector<T>& vec) {
  if (!vec.empty()) Touch(vec.data(), vec.size() * sizeof(T));
  for (const T& item : vec) Part(item);
}

// Reads one answer the way the client would: the record, then its parts.
template <typename T>
void Look(const T& record) {
  Touch(&record, sizeof(record));
  Part(record);
}

// Every pointer handed out since the last load, read again on demand.
class Answers {
 public:
  template <typename T>
  void Keep(const T* p) {
    if (p == nullptr) return;
    Look(*p);
    m_vecChecks.push_back([p] { Look(*p); });
  }
  void KeepText(const char* psz) {
    if (psz == nullptr) return;
    TouchText(psz);
    m_vecChecks.push_back([psz] { TouchText(psz); });
  }
  void ReadAgainAndForget() {
    for (const auto& check : m_vecChecks) check();
    m_vecChecks.clear();
  }

 private:
  std::vector<std::function<void()>> m_vecChecks;
};

// Words and digit runs of the tables, so that calls ask for what is there as well as anything.
struct Pools {
  std::vector<int64_t> vecNumbers;
  std::vector<std::string> vecWords;
  std::vector<std::string> vecTrackPaths;

  void Take(std::string_view text) {
    size_t nWord = 0, nDigits = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      char ch = i < text.size() ? text[i] : ' ';
      if (strchr(" \t\r\n=,[]", ch) != nullptr) {  // '\0' too
        if (i > nWord && i - nWord <= WORD_MAX && vecWords.size() < POOL_MAX) {
          vecWords.emplace_back(text.substr(nWord, i - nWord));
        }
        nWord = i + 1;
      }
      if (ch >= '0' && ch <= '9') {
        ++nDigits;
      } else if (nDigits > 0 && vecNumbers.size() < POOL_MAX) {
        size_t nStart = i - nDigits;
        std::string strDigits(text.substr(nStart, std::min<size_t>(nDigits, 18)));
        int64_t nValue = std::strtoll(strDigits.c_str(), nullptr, 10);
        vecNumbers.push_back(nStart > 0 && text[nStart - 1] == '-' ? -nValue : nValue);
        nDigits = 0;
      }
    }
  }
};

// The arguments of the calls, drawn from the calls piece.
class Arguments {
 public:
  Arguments(const std::string& strCalls, const Pools& pools)
      : m_input(reinterpret_cast<const uint8_t*>(strCalls.data()), strCalls.size()),
        m_pools(pools) {}

  bool More() { return m_input.remaining_bytes() > 0; }
  // One of the operations given, or of all (slots, stand-ins and files) when none are.
  int Operation(const std::vector<int>& vecOperations) {
    if (vecOperations.empty()) return m_input.ConsumeIntegralInRange<int>(1, OPERATION_COUNT + 6);
    return Pick(vecOperations, 0);
  }
  bool Bool() { return m_input.ConsumeBool(); }
  int64_t Number() {
    static const int64_t aNear[] = {0,   1,    2,     3,      7,      12,         999,
                                    1000, 9999, 10000, 10000000, -1, -999,      65535,
                                    999999, 2147483647, -2147483647 - 1, 4294967295};
    switch (m_input.ConsumeIntegralInRange<int>(0, 3)) {
      case 0:
      case 1: return Pick(m_pools.vecNumbers, int64_t{0});
      case 2: return aNear[m_input.ConsumeIntegralInRange<size_t>(0, std::size(aNear) - 1)];
      default: return m_input.ConsumeIntegral<int64_t>();
    }
  }
  uint32_t U32() { return static_cast<uint32_t>(Number()); }
  int32_t I32() { return static_cast<int32_t>(Number()); }
  // Small coordinates mostly, so that sounds are heard; now and then anything.
  int32_t Coordinate() {
    return Bool() ? m_input.ConsumeIntegralInRange<int32_t>(-3000, 3000) : I32();
  }
  // A word of the tables, a word of the calls piece, an empty name or (when allowed) null.
  const char* Name(bool bNullAllowed) {
    switch (m_input.ConsumeIntegralInRange<int>(0, 5)) {
      case 0: m_strName.clear(); break;
      case 1:
        if (bNullAllowed) return nullptr;
        m_strName = "a.wav";
        break;
      case 2: m_strName = m_input.ConsumeRandomLengthString(WORD_MAX); break;
      default: m_strName = Pick(m_pools.vecWords, std::string()); break;
    }
    return m_strName.c_str();
  }

 private:
  template <typename T>
  T Pick(const std::vector<T>& vec, T none) {
    return vec.empty() ? none : vec[m_input.ConsumeIntegralInRange<size_t>(0, vec.size() - 1)];
  }

  FuzzedDataProvider m_input;
  const Pools& m_pools;
  std::string m_strName;
};

bool g_bManagerOn = true;

// One call: slots 1 to 62 of the interface, then the stand-ins and the files. Arguments are
// drawn into named values first wherever a call takes more than one, so that their order is
// fixed.
void Call(I3DRoleBaseData* p, int nOperation, Arguments& args, Answers& answers,
          const Pools& pools) {
  switch (nOperation) {
    case 1: answers.Keep(p->GetGameMapInfo(args.U32())); break;
    case 2:
    case 3: {
      uint32_t nId = 0;
      const GameMapInfo* pInfo = nullptr;
      bool bMore = nOperation == 2 ? p->GetFirstGameMapInfo(&nId, &pInfo) != 0
                                   : p->GetNextGameMapInfo(&nId, &pInfo) != 0;
      for (; bMore; bMore = p->GetNextGameMapInfo(&nId, &pInfo) != 0) answers.Keep(pInfo);
      break;
    }
    case 4: answers.Keep(p->GetRegionInfo(args.U32())); break;
    case 5: answers.Keep(p->GetRegionList()); break;
    case 6: answers.KeepText(p->GetRegionName(args.U32())); break;
    case 7:
    case 8:
    case 9:
    case 18: {
      const char* pszName = args.Name(true);
      if (nOperation == 9) {
        p->StopSound(pszName);
      } else if (nOperation == 7) {
        uint32_t nA = args.U32(), nB = args.U32();
        p->PlaySound(pszName, nA, nB, args.Bool());
      } else {
        int32_t x = args.Coordinate(), y = args.Coordinate(), nRadius = args.Coordinate();
        uint32_t nA = args.U32();
        if (nOperation == 8) p->UpdateSoundAt(pszName, x, y, nRadius, nA, args.Bool());
        if (nOperation == 18) p->PlaySoundAt(pszName, x, y, nRadius, nA, args.Bool());
      }
      break;
    }
    case 10: {
      int32_t x = args.Coordinate(), y = args.Coordinate(), nRadius = args.Coordinate();
      p->GetSoundVolume(x, y, nRadius, args.I32());
      break;
    }
    case 11: g_nSink = g_nSink + static_cast<uint32_t>(p->GetListenerPos().x); break;
    case 12: answers.KeepText(p->GetSoundEventName(args.U32())); break;
    case 13: {
      uint32_t nId = args.U32(), nA = args.U32();
      p->PlaySoundEvent(nId, nA, args.U32());
      break;
    }
    case 14: p->SetSoundSwitch(args.Bool() ? 1 : args.I32()); break;
    case 15: p->SetSoundVolume(args.Bool() ? 100 : args.I32()); break;
    case 16:
    case 17: {
      ListenerPos pos{args.Coordinate(), args.Coordinate()};
      if (nOperation == 16) p->SetListenerPos(pos.x, pos.y);
      if (nOperation == 17) p->SetListenerPos(pos);
      break;
    }
    case 19: p->SetDistanceFading(args.Bool() ? 1 : args.I32()); break;
    case 20: {
      const char* pszName = args.Name(true);
      const char* pszFile = p->GetSoundFile(pszName);
      if (pszFile != pszName) answers.KeepText(pszFile);  // else the name itself came back
      break;
    }
    case 21: answers.Keep(p->GetTerrainNpcInfo(args.I32())); break;
    case 22: {
      uint32_t nMap = args.U32();
      answers.Keep(p->GetBattlePos(nMap, args.I32()));
      break;
    }
    case 23: p->GetBattleRotaryAngle(args.U32()); break;
    case 24: p->GetBattleCameraTime(args.U32()); break;
    case 25:
    case 26:
    case 27:
    case 28: {
      uint32_t nMap = args.U32();
      int32_t nGroup = args.I32();
      int32_t (I3DRoleBaseData::*const apTorch[])(uint32_t, int32_t) = {
          &I3DRoleBaseData::GetBattleTorch1, &I3DRoleBaseData::GetBattleTorch2,
          &I3DRoleBaseData::GetBattleTorch3, &I3DRoleBaseData::GetBattleTorch4};
      (p->*apTorch[nOperation - 25])(nMap, nGroup);
      break;
    }
    case 29: {
      int32_t nKey1 = args.I32();
      answers.Keep(p->GetBattleViewPos(nKey1, args.I32()));
      break;
    }
    case 30: answers.Keep(p->GetBattleViewStartPos()); break;
    case 31: answers.Keep(p->GetBattleArrayCellPos(args.I32())); break;
    case 32: answers.Keep(p->GetBattleCamera()); break;
    case 33: answers.Keep(p->GetBattleMoveCamera()); break;
    case 34: answers.Keep(p->GetCaptureCamera1()); break;
    case 35: answers.Keep(p->GetCaptureCamera2()); break;
    case 36: answers.Keep(p->GetBattleDiveInfo()); break;
    case 37:
    case 39: {
      uint32_t nMap = args.U32();
      int32_t nKey1 = args.I32(), nKey2 = args.I32();
      if (nOperation == 37) answers.Keep(p->GetFighterPos(nMap, nKey1, nKey2, args.I32()));
      if (nOperation == 39) answers.Keep(p->GetBattleStartPos(nMap, nKey1, nKey2));
      break;
    }
    case 38: answers.Keep(p->GetFighterPosOffset(args.U32())); break;
    case 40: answers.Keep(p->GetBattleMapInfo(args.U32())); break;
    case 41: p->SetStoredValue1(args.I32()); break;
    case 42: g_nSink = g_nSink + static_cast<uint32_t>(p->GetStoredValue1()); break;
    case 43: p->SetStoredValue2(args.I32()); break;
    case 44: g_nSink = g_nSink + static_cast<uint32_t>(p->GetStoredValue2()); break;
    case 45: p->ClearStoredValues(); break;
    case 46: answers.Keep(p->GetCameraTrackInfo(args.Name(false))); break;
    case 47: answers.Keep(p->GetCameraTrackFrames(args.Name(true))); break;
    case 48: answers.Keep(p->GetNpcInfo(args.I32())); break;
    case 49: answers.Keep(p->GetNpcStarLookInfo(args.I32())); break;
    case 50: {
      uint32_t k1 = args.U32(), k2 = args.U32(), k3 = args.U32(), k4 = args.U32();
      uint32_t nValue = args.U32();
      p->IsRolePartHidden(k1, k2, k3, k4, nValue, args.Name(true));
      break;
    }
    case 51:
    case 53:
    case 56: {
      uint32_t a = args.U32(), b = args.U32();
      if (nOperation == 51) p->GetRolePartScale(a, b);
      if (nOperation == 53) p->GetMountScale(a, b);
      if (nOperation == 56) p->GetWeaponAdjustByLook(a, b);
      break;
    }
    case 52: p->GetLookScale(args.U32()); break;
    case 54: p->Is2DRoleLook(args.U32()); break;
    case 55: p->GetAppendentWeapon(args.U32()); break;
    case 57:
    case 58: {
      uint32_t a = args.U32(), b = args.U32(), c = args.U32(), d = args.U32();
      answers.KeepText(nOperation == 57 ? p->GetAction3DEffect(a, b, c, d)
                                        : p->GetRoleWeapon3DEffect(a, b, c, d));
      break;
    }
    case 59: {
      uint32_t a = args.U32(), b = args.U32();
      answers.KeepText(p->GetActionSound(a, b, args.U32()));
      break;
    }
    case 60: answers.Keep(p->GetSimpleObjInfo(args.U32())); break;
    case 61: answers.Keep(p->GetRoleTraceInfo(args.Number())); break;
    case 62: answers.Keep(p->GetRolePartReplaceInfo(args.I32())); break;
    // The stand-ins: a sound comes to its end, the game wants a file, the manager comes and goes.
    case 63: ZorSoundFinish(args.Name(false)); break;
    case 64: AddResourceDemand(args.Name(false)); break;
    case 65:
      g_bManagerOn = !g_bManagerOn;
      SetSoundManagerInstance(g_bManagerOn ? ZorSoundOwnManager() : nullptr);
      break;
    // Files read on demand vanish or turn into folders.
    case 66:
    case 67: {
      std::error_code ec;
      std::string strPath = "ini/3DBattleDive.ini";
      if (nOperation == 67) {
        if (pools.vecTrackPaths.empty()) break;
        strPath = pools.vecTrackPaths[args.U32() % pools.vecTrackPaths.size()];
        if (strPath[0] == '/') break;
      }
      fs::remove_all(strPath, ec);
      if (args.Bool()) fs::create_directory(strPath, ec);
      break;
    }
    default: p->SetSoundVolume(args.I32()); break;
  }
}

// Each operation given (every slot when none are) once, then the calls of the piece.
void CallAll(I3DRoleBaseData* pData, const std::string& strCalls, const Pools& pools,
             Answers& answers, const std::vector<int>& vecOperations) {
  Arguments args(strCalls, pools);
  for (int nOperation = 1; vecOperations.empty() && nOperation <= OPERATION_COUNT; ++nOperation) {
    Call(pData, nOperation, args, answers, pools);
  }
  for (int nOperation : vecOperations) Call(pData, nOperation, args, answers, pools);
  for (size_t nCall = 0; nCall < CALLS_MAX && args.More(); ++nCall) {
    Call(pData, args.Operation(vecOperations), args, answers, pools);
  }
}

// A relative path of at most four plain names below the work folder that passes no link out
// of it and leaves the log's "debug" alone.
bool IsSafeTrackPath(const std::string& strPath) {
  if (strPath.empty() || strPath.size() > 200 || strPath[0] == '/' ||
      strPath.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                "0123456789._-/") != std::string::npos) {
    return false;
  }
  fs::path prefix;
  int nParts = 0;
  for (const fs::path& part : fs::path(strPath)) {
    std::error_code ec;
    prefix /= part;
    if (part.empty() || part == "." || part == ".." || ++nParts > 4 || prefix == "debug" ||
        fs::is_symlink(fs::symlink_status(prefix, ec))) {
      return false;
    }
  }
  return true;
}

std::vector<fs::path> g_vecWritten;  // what the last run put into the work folder

void Place(const fs::path& path, const std::string& strPiece, bool bEnciphered) {
  std::error_code ec;
  if (strPiece == ModuleInput::PIECE_ABSENT) return;
  if (path.has_parent_path() && !fs::exists(path.parent_path(), ec)) {
    fs::create_directories(path.parent_path(), ec);
    g_vecWritten.push_back(*path.begin());
  }
  g_vecWritten.push_back(path);
  if (strPiece == ModuleInput::PIECE_FOLDER) {
    fs::create_directories(path, ec);
  } else {
    std::string strBytes = bEnciphered ? ZorTools::EncipherText(strPiece) : strPiece;
    FuzzSupport::WriteInput(path.string().c_str(), strBytes.data(), strBytes.size());
  }
}

void ClearWorkFolder() {
  std::error_code ec;
  for (auto it = g_vecWritten.rbegin(); it != g_vecWritten.rend(); ++it) fs::remove_all(*it, ec);
  g_vecWritten.clear();
  for (const char* pszName : {"ini", "version.dat"}) {
    if (fs::is_symlink(fs::symlink_status(pszName, ec))) fs::remove(pszName, ec);
  }
  fs::remove_all("ini", ec);
  fs::create_directory("ini", ec);
}

// The crash path's own readers: the version stamp and the upload's settings (nothing is sent).
void ReadCrashSettings() {
  char szStamp[ZorGameBase::CRASH_RECORD_SIZE];
  ZorGameBase::FormatVersionStamp(szStamp, sizeof(szStamp));
  char szValue[1024];
  for (const char* pszKey : {"Enable", "Server", "Action"}) {
    ZorGameBase::GetIniValue("ini/GameSetup.ini", "DumpError", pszKey, szValue, false);
  }
}

// One run over the pieces of a module input, asking the operations given or, with none, all.
void RunModule(std::vector<std::string> vecPieces, const std::vector<int>& vecOperations) {
  using namespace ModuleInput;
  ClearWorkFolder();
  vecPieces.resize(std::max(vecPieces.size(), FIRST_TRACK_PIECE), PIECE_ABSENT);
  Pools pools;
  for (size_t i = 0; i < FILE_COUNT; ++i) {
    Place(FILES[i].pszPath, vecPieces[i], FILES[i].bEnciphered);
    pools.Take(vecPieces[i]);
  }
  pools.vecTrackPaths = TrackPaths(vecPieces[CAMERA_TRACK_INDEX]);
  for (size_t i = 0; i < pools.vecTrackPaths.size(); ++i) {
    const std::string& strTrack = pools.vecTrackPaths[i];
    if (FIRST_TRACK_PIECE + i < vecPieces.size() && IsSafeTrackPath(strTrack)) {
      Place(strTrack, vecPieces[FIRST_TRACK_PIECE + i], false);
    }
  }
  ReadCrashSettings();
  SetSoundManagerInstance(ZorSoundOwnManager());
  g_bManagerOn = true;

  I3DRoleBaseData* pService = RoleBaseDataQuery();
  if (pService == nullptr) return;
  Answers answers;
  for (int nLoad = 0; nLoad < 2; ++nLoad) {
    pService->Create();
    CallAll(pService, vecPieces[CALLS_PIECE], pools, answers, vecOperations);
    answers.ReadAgainAndForget();
  }
  RoleBaseDataDestroy();
  SetSoundManagerInstance(ZorSoundOwnManager());
  ZorSoundReset();
  ClearResourceDemands();
}

}  // namespace
