// The whole module as the client meets it: the input is a complete data folder and a run of
// calls (ModuleInput.h). Each run writes the folder, reads the crash report's setup and version
// stamp, then RoleBaseDataQuery, Create, every other operation once and then as the calls say
// (sound operations on the stand-in sound and resource managers; files may vanish on the way),
// a second Create, the same calls again and RoleBaseDataDestroy. Every answer is read whole, and
// every pointer handed out is read again just before the next Create and before the end, so a
// pointer that dies early or a text without its end shows up under the address sanitizer.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CrashReport.h"
#include "DatCipher.h"
#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"
#include "IniLookup.h"
#include "ModuleInput.h"
#include "UlmLogic.h"
#include "ZorSound.h"

namespace fs = std::filesystem;

namespace {

const size_t POOL_MAX = 4096;  // numbers and words taken from the tables
const size_t WORD_MAX = 300;
const size_t CALLS_MAX = 4000;  // calls of the driven run per load
const int OPERATION_COUNT = 62;  // slots 1 to 62
const int EXTRA_COUNT = 6;       // the stand-ins and the files (see Call)

volatile uint64_t g_nSink;

using FuzzSupport::Check;
using FuzzSupport::CheckText;

// Reads every byte: a read of freed or foreign memory stops the run under the sanitizer.
void Touch(const void* p, size_t nSize) {
  const unsigned char* pby = static_cast<const unsigned char*>(p);
  uint64_t nSum = 0;
  for (size_t i = 0; i < nSize; ++i) nSum += pby[i];
  g_nSink = g_nSink + nSum;
}

void TouchText(const char* psz) { Touch(psz, strlen(psz) + 1); }

template <typename... Fields>
void CheckTexts(const Fields&... fields) {
  (CheckText(fields), ...);
}

template <typename T>
void TouchVector(const std::vector<T>& vec) {
  if (!vec.empty()) Touch(vec.data(), vec.size() * sizeof(T));
}

// Reads one record the way the client would: the fixed part, every text and every list.
template <typename T>
void Look(const T& record) {
  Touch(&record, sizeof(record));
}
void Look(const GameMapInfo& info) {
  for (const char* psz : {info.File, info.DaySound, info.NightSound}) TouchText(psz);
  TouchVector(info.Limit);
  Touch(&info.Jump, sizeof(info.Jump));
}
void Look(const RegionInfo& info) {
  Touch(&info, sizeof(info));
  CheckTexts(info.Name, info.Text9, info.Text18);
}
void Look(const RegionList& list) {
  for (const RegionInfo& info : list) Look(info);
}
void Look(const TerrainNpcInfo& info) {
  CheckText(info.Name);
  for (const CRecordString& strDir : info.Dirs) TouchText(strDir.c_str());
}
void Look(const BattleMapInfo& info) {
  Touch(&info.TerraHigh, sizeof(info.TerraHigh));
  TouchVector(info.vecStartPos);
  for (const FighterGroup& group : info.vecFighterGroup) TouchVector(group.vecFighterPos);
}
void Look(const CameraTrackInfo& info) {
  Touch(&info.nNumber, sizeof(info.nNumber));
  TouchText(info.strPath);
}
void Look(const CameraTrackFrameList& frames) { TouchVector(frames); }
void Look(const NpcInfo& info) {
  Touch(&info, sizeof(info));
  CheckTexts(info.Name, info.Effect);
}
void Look(const NpcStarLookInfo& info) {
  Touch(&info, sizeof(info));
  CheckTexts(info.Name, info.Effect, info.Note, info.EffAdd, info.EffDel);
}
void Look(const SimpleObjInfo& info) {
  Touch(&info.Scale, sizeof(info.Scale));
  TouchVector(info.Motions);
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
  // An answer that is never null.
  template <typename T>
  void KeepNonNull(const T* p) {
    Check(p != nullptr);
    Keep(p);
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

// Numbers and words of the tables, so that calls ask for what is there as well as for anything.
struct Pools {
  std::vector<int64_t> vecNumbers;
  std::vector<std::string> vecWords;
  std::vector<std::string> vecTrackPaths;
  size_t nGameMapSections = 0;

  void Take(std::string_view text) {
    auto isCut = [](char ch) {
      return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '=' || ch == ',' ||
             ch == '[' || ch == ']' || ch == '\0';
    };
    for (size_t i = 0; i < text.size();) {
      while (i < text.size() && isCut(text[i])) ++i;
      size_t nStart = i;
      while (i < text.size() && !isCut(text[i])) ++i;
      if (i > nStart && vecWords.size() < POOL_MAX && i - nStart <= WORD_MAX) {
        vecWords.emplace_back(text.substr(nStart, i - nStart));
      }
    }
    for (size_t i = 0; i < text.size() && vecNumbers.size() < POOL_MAX;) {
      if (text[i] < '0' || text[i] > '9') {
        ++i;
        continue;
      }
      bool bNegative = i > 0 && text[i - 1] == '-';
      uint64_t nValue = 0;
      for (int nDigits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (++nDigits <= 19) nValue = nValue * 10 + static_cast<uint64_t>(text[i] - '0');
      }
      vecNumbers.push_back(bNegative ? -static_cast<int64_t>(nValue) : static_cast<int64_t>(nValue));
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
  int Operation() { return m_input.ConsumeIntegralInRange<int>(1, OPERATION_COUNT + EXTRA_COUNT); }
  bool Bool() { return m_input.ConsumeBool(); }

  int64_t Number() {
    static const int64_t aNear[] = {0,     1,     2,      3,        7,          12,
                                    999,   1000,  9999,   10000,    10000000,   -1,
                                    -999,  65535, 999999, 2147483647, -2147483647 - 1,
                                    4294967295};
    switch (m_input.ConsumeIntegralInRange<int>(0, 3)) {
      case 0:
      case 1:
        if (!m_pools.vecNumbers.empty()) {
          return m_pools.vecNumbers[m_input.ConsumeIntegralInRange<size_t>(
              0, m_pools.vecNumbers.size() - 1)];
        }
        return 0;
      case 2:
        return aNear[m_input.ConsumeIntegralInRange<size_t>(0, sizeof(aNear) / sizeof(aNear[0]) - 1)];
      default:
        return m_input.ConsumeIntegral<int64_t>();
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
      case 0:
        m_strName.clear();
        break;
      case 1:
        if (bNullAllowed) return nullptr;
        m_strName = "a.wav";
        break;
      case 2:
        m_strName = m_input.ConsumeRandomLengthString(WORD_MAX);
        break;
      default:
        m_strName = m_pools.vecWords.empty()
                        ? std::string()
                        : m_pools.vecWords[m_input.ConsumeIntegralInRange<size_t>(
                              0, m_pools.vecWords.size() - 1)];
        break;
    }
    return m_strName.c_str();
  }

 private:
  FuzzedDataProvider m_input;
  const Pools& m_pools;
  std::string m_strName;
};

bool g_bManagerOn = true;

// One call: slots 1 to 62 of the interface, then the stand-ins and the files. Arguments are
// drawn into named values first wherever a call takes more than one, so that their order is
// fixed.
void Call(I3DRoleBaseData* pData, int nOperation, Arguments& args, Answers& answers,
          const Pools& pools) {
  switch (nOperation) {
    case 1: answers.Keep(pData->GetGameMapInfo(args.U32())); break;
    case 2:
    case 3: {
      // The enumeration ends, in ascending ids, after no more steps than there are sections.
      uint32_t nId = 0;
      const GameMapInfo* pInfo = nullptr;
      bool bMore = nOperation == 2 ? pData->GetFirstGameMapInfo(&nId, &pInfo) != 0
                                   : pData->GetNextGameMapInfo(&nId, &pInfo) != 0;
      for (size_t nStep = 0; bMore; ++nStep) {
        Check(pInfo != nullptr && nStep <= pools.nGameMapSections);
        answers.Keep(pInfo);
        uint32_t nPrevious = nId;
        bMore = pData->GetNextGameMapInfo(&nId, &pInfo) != 0;
        Check(!bMore || nId > nPrevious);
      }
      break;
    }
    case 4: answers.Keep(pData->GetRegionInfo(args.U32())); break;
    case 5: answers.KeepNonNull(pData->GetRegionList()); break;
    case 6: answers.KeepText(pData->GetRegionName(args.U32())); break;
    case 7:
    case 9:
    case 18:
    case 8: {
      const char* pszName = args.Name(true);
      if (nOperation == 9) {
        pData->StopSound(pszName);
      } else if (nOperation == 7) {
        uint32_t nA = args.U32(), nB = args.U32();
        pData->PlaySound(pszName, nA, nB, args.Bool());
      } else {
        int32_t x = args.Coordinate(), y = args.Coordinate(), nRadius = args.Coordinate();
        uint32_t nA = args.U32();
        if (nOperation == 8) pData->UpdateSoundAt(pszName, x, y, nRadius, nA, args.Bool());
        if (nOperation == 18) pData->PlaySoundAt(pszName, x, y, nRadius, nA, args.Bool());
      }
      break;
    }
    case 10: {
      int32_t x = args.Coordinate(), y = args.Coordinate(), nRadius = args.Coordinate();
      pData->GetSoundVolume(x, y, nRadius, args.I32());
      break;
    }
    case 11: g_nSink = g_nSink + static_cast<uint32_t>(pData->GetListenerPos().x); break;
    case 12: answers.KeepText(pData->GetSoundEventName(args.U32())); break;
    case 13: {
      uint32_t nId = args.U32(), nA = args.U32();
      pData->PlaySoundEvent(nId, nA, args.U32());
      break;
    }
    case 14: pData->SetSoundSwitch(args.Bool() ? 1 : args.I32()); break;
    case 15: pData->SetSoundVolume(args.Bool() ? 100 : args.I32()); break;
    case 16:
    case 17: {
      ListenerPos pos{args.Coordinate(), args.Coordinate()};
      if (nOperation == 16) pData->SetListenerPos(pos.x, pos.y);
      if (nOperation == 17) pData->SetListenerPos(pos);
      ListenerPos now = pData->GetListenerPos();
      Check(now.x == pos.x && now.y == pos.y);
      break;
    }
    case 19: pData->SetDistanceFading(args.Bool() ? 1 : args.I32()); break;
    case 20: {
      const char* pszName = args.Name(true);
      const char* pszFile = pData->GetSoundFile(pszName);
      if (pszName == nullptr || *pszName == '\0') Check(pszFile == nullptr);
      if (pszFile != pszName) answers.KeepText(pszFile);  // else the name itself came back
      break;
    }
    case 21: answers.Keep(pData->GetTerrainNpcInfo(args.I32())); break;
    case 22: {
      uint32_t nMap = args.U32();
      answers.KeepNonNull(pData->GetBattlePos(nMap, args.I32()));
      break;
    }
    case 23: pData->GetBattleRotaryAngle(args.U32()); break;
    case 24: pData->GetBattleCameraTime(args.U32()); break;
    case 25:
    case 26:
    case 27:
    case 28: {
      uint32_t nMap = args.U32();
      int32_t nGroup = args.I32();
      if (nOperation == 25) pData->GetBattleTorch1(nMap, nGroup);
      if (nOperation == 26) pData->GetBattleTorch2(nMap, nGroup);
      if (nOperation == 27) pData->GetBattleTorch3(nMap, nGroup);
      if (nOperation == 28) pData->GetBattleTorch4(nMap, nGroup);
      break;
    }
    case 29: {
      int32_t nKey1 = args.I32();
      answers.Keep(pData->GetBattleViewPos(nKey1, args.I32()));
      break;
    }
    case 30: answers.KeepNonNull(pData->GetBattleViewStartPos()); break;
    case 31: answers.KeepNonNull(pData->GetBattleArrayCellPos(args.I32())); break;
    case 32: answers.KeepNonNull(pData->GetBattleCamera()); break;
    case 33: answers.KeepNonNull(pData->GetBattleMoveCamera()); break;
    case 34: answers.Keep(pData->GetCaptureCamera1()); break;
    case 35: answers.Keep(pData->GetCaptureCamera2()); break;
    case 36: answers.Keep(pData->GetBattleDiveInfo()); break;
    case 37:
    case 39: {
      uint32_t nMap = args.U32();
      int32_t nKey1 = args.I32(), nKey2 = args.I32();
      if (nOperation == 37) answers.Keep(pData->GetFighterPos(nMap, nKey1, nKey2, args.I32()));
      if (nOperation == 39) answers.Keep(pData->GetBattleStartPos(nMap, nKey1, nKey2));
      break;
    }
    case 38: answers.Keep(pData->GetFighterPosOffset(args.U32())); break;
    case 40: answers.Keep(pData->GetBattleMapInfo(args.U32())); break;
    case 41:
    case 42: {
      int32_t nValue = args.I32();
      pData->SetStoredValue1(nValue);
      Check(pData->GetStoredValue1() == nValue);
      break;
    }
    case 43:
    case 44: {
      int32_t nValue = args.I32();
      pData->SetStoredValue2(nValue);
      Check(pData->GetStoredValue2() == nValue);
      break;
    }
    case 45:
      pData->ClearStoredValues();
      Check(pData->GetStoredValue1() == 0 && pData->GetStoredValue2() == 0);
      break;
    case 46: answers.Keep(pData->GetCameraTrackInfo(args.Name(false))); break;
    case 47: answers.Keep(pData->GetCameraTrackFrames(args.Name(true))); break;
    case 48: answers.Keep(pData->GetNpcInfo(args.I32())); break;
    case 49: answers.Keep(pData->GetNpcStarLookInfo(args.I32())); break;
    case 50: {
      uint32_t k1 = args.U32(), k2 = args.U32(), k3 = args.U32(), k4 = args.U32();
      uint32_t nValue = args.U32();
      int32_t nHidden = pData->IsRolePartHidden(k1, k2, k3, k4, nValue, args.Name(true));
      Check(nHidden == 0 || nHidden == 1);
      break;
    }
    case 51:
    case 53:
    case 56: {
      uint32_t a = args.U32(), b = args.U32();
      if (nOperation == 51) pData->GetRolePartScale(a, b);
      if (nOperation == 53) pData->GetMountScale(a, b);
      if (nOperation == 56) pData->GetWeaponAdjustByLook(a, b);
      break;
    }
    case 52: pData->GetLookScale(args.U32()); break;
    case 54: pData->Is2DRoleLook(args.U32()); break;
    case 55: pData->GetAppendentWeapon(args.U32()); break;
    case 57:
    case 58: {
      uint32_t a = args.U32(), b = args.U32(), c = args.U32(), d = args.U32();
      answers.KeepText(nOperation == 57 ? pData->GetAction3DEffect(a, b, c, d)
                                        : pData->GetRoleWeapon3DEffect(a, b, c, d));
      break;
    }
    case 59: {
      uint32_t a = args.U32(), b = args.U32();
      answers.KeepText(pData->GetActionSound(a, b, args.U32()));
      break;
    }
    case 60: answers.Keep(pData->GetSimpleObjInfo(args.U32())); break;
    case 61: answers.Keep(pData->GetRoleTraceInfo(args.Number())); break;
    case 62: answers.Keep(pData->GetRolePartReplaceInfo(args.I32())); break;
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
      const char* pszPath = "ini/3DBattleDive.ini";
      if (nOperation == 67) {
        if (pools.vecTrackPaths.empty()) break;
        pszPath = pools.vecTrackPaths[static_cast<size_t>(args.U32()) % pools.vecTrackPaths.size()]
                      .c_str();
        if (pszPath[0] == '/') break;
      }
      fs::remove_all(pszPath, ec);
      if (args.Bool()) fs::create_directory(pszPath, ec);
      break;
    }
    default:
      pData->SetSoundVolume(args.I32());
      break;
  }
}

// Every operation once, then the calls of the piece.
void CallAll(I3DRoleBaseData* pData, const std::string& strCalls, const Pools& pools,
             Answers& answers) {
  Arguments args(strCalls, pools);
  for (int nOperation = 1; nOperation <= OPERATION_COUNT; ++nOperation) {
    Call(pData, nOperation, args, answers, pools);
  }
  for (size_t nCall = 0; nCall < CALLS_MAX && args.More(); ++nCall) {
    Call(pData, args.Operation(), args, answers, pools);
  }
}

// A relative path of plain names below the work folder that passes no link out of it.
bool IsSafeTrackPath(const std::string& strPath) {
  if (strPath.empty() || strPath.size() > 200 || strPath[0] == '/') return false;
  fs::path path(strPath);
  fs::path prefix;
  int nParts = 0;
  for (const fs::path& part : path) {
    std::string strPart = part.string();
    if (strPart.empty() || strPart == "." || strPart == ".." || ++nParts > 4) return false;
    for (char ch : strPart) {
      bool bPlain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                    (ch >= '0' && ch <= '9') || ch == '.' || ch == '_' || ch == '-';
      if (!bPlain) return false;
    }
    if (nParts == 1 && strPart == "debug") return false;
    prefix /= part;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(prefix, ec))) return false;
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
    return;
  }
  std::string strBytes = bEnciphered ? ZorTools::EncipherText(strPiece) : strPiece;
  FILE* pFile = fopen(path.string().c_str(), "wb");
  if (pFile == nullptr) return;
  fwrite(strBytes.data(), 1, strBytes.size(), pFile);
  fclose(pFile);
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
  Check(strncmp(szStamp, "ReleaseVer:", 11) == 0);
  Check(strstr(szStamp, " MsgVer:999 , FileVer:, FileTime:") != nullptr);
  char szValue[1024];
  for (const char* pszKey : {"Enable", "Server", "Action"}) {
    if (ZorGameBase::GetIniValue("ini/GameSetup.ini", "DumpError", pszKey, szValue, false)) {
      Check(strlen(szValue) < sizeof(szValue));
    }
  }
}

}  // namespace

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  using namespace ModuleInput;
  ClearWorkFolder();
  std::vector<std::string> vecPieces =
      Split(std::string_view(reinterpret_cast<const char*>(pData), nSize));
  vecPieces.resize(std::max(vecPieces.size(), FIRST_TRACK_PIECE), PIECE_ABSENT);

  Pools pools;
  for (size_t i = 0; i < FILE_COUNT; ++i) {
    Place(FILES[i].pszPath, vecPieces[i], FILES[i].bEnciphered);
    pools.Take(vecPieces[i]);
  }
  pools.nGameMapSections = static_cast<size_t>(std::count(vecPieces[0].begin(), vecPieces[0].end(), '['));
  std::vector<std::string> vecTracks = TrackPaths(vecPieces[CAMERA_TRACK_INDEX]);
  for (size_t i = 0; i < vecTracks.size(); ++i) {
    pools.vecTrackPaths.push_back(vecTracks[i]);
    size_t nPiece = FIRST_TRACK_PIECE + i;
    if (nPiece < vecPieces.size() && IsSafeTrackPath(vecTracks[i])) {
      Place(vecTracks[i], vecPieces[nPiece], false);
    }
  }
  const std::string& strCalls = vecPieces[CALLS_PIECE];
  const std::string& strReplace = vecPieces[ROLE_PART_REPLACE_INDEX];
  int32_t nExpected = strReplace != PIECE_ABSENT && strReplace != PIECE_FOLDER ? 1 : 0;

  ReadCrashSettings();
  SetSoundManagerInstance(ZorSoundOwnManager());
  g_bManagerOn = true;

  I3DRoleBaseData* pService = RoleBaseDataQuery();
  Check(pService != nullptr && RoleBaseDataQuery() == pService);
  Answers answers;
  Check(pService->Create() == nExpected);
  CallAll(pService, strCalls, pools, answers);
  answers.ReadAgainAndForget();
  // The calls may have taken the file away (a track path can name it).
  std::error_code ec;
  nExpected = fs::is_regular_file(FILES[ROLE_PART_REPLACE_INDEX].pszPath, ec) ? 1 : 0;
  Check(pService->Create() == nExpected);
  CallAll(pService, strCalls, pools, answers);
  answers.ReadAgainAndForget();
  RoleBaseDataDestroy();

  SetSoundManagerInstance(ZorSoundOwnManager());
  ZorSoundReset();
  ClearResourceDemands();
  return 0;
}
