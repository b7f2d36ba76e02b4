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
#include <tuple>
#include <type_traits>
#include <vector>

#include "CrashReport.h"
#include "DatCipher.h"
#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"
#include "ModuleInput.h"
#include "UlmLogic.h"
#include "IniLookup.h"
#include "ZorCommon.h"
#include "ZorSound.h"

namespace fs = std::filesystem;

namespace {

const size_t POOL_MAX = 4096;   // numbers and words taken from the tables
const size_t WORD_MAX = 300;
const size_t CALLS_MAX = 4000;  // calls of the driven run per load
const int SLOT_COUNT = 62;  // the interface's operations after Create

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

// Every pointer handed out since the last load, read again on demand; other answers are read
// once.
class Answers {
 public:
  template <typename R>
  void Take(R answer) {
    if constexpr (!std::is_pointer_v<R>) {
      Touch(&answer, sizeof(answer));
    } else if (answer != nullptr) {
      auto look = [answer] {
        if constexpr (std::is_same_v<R, const char*>) {
          TouchText(answer);
        } else {
          Look(*answer);
        }
      };
      look();
      m_vecChecks.push_back(look);
    }
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
    if (vecOperations.empty()) return m_input.ConsumeIntegralInRange<int>(1, SLOT_COUNT + 5);
    return Pick(vecOperations, 0);
  }
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
  // An argument of the type: integers of 32 bits small mostly, so that sounds are heard.
  template <typename T>
  T Draw() {
    if constexpr (std::is_same_v<T, bool>) {
      return m_input.ConsumeBool();
    } else if constexpr (std::is_same_v<T, const char*>) {
      return Name(true);
    } else if constexpr (std::is_same_v<T, ListenerPos>) {
      return ListenerPos{Draw<int32_t>(), Draw<int32_t>()};
    } else if constexpr (std::is_same_v<T, int32_t>) {
      return m_input.ConsumeBool() ? m_input.ConsumeIntegralInRange<int32_t>(-3000, 3000)
                                   : static_cast<int32_t>(Number());
    } else {
      return static_cast<T>(Number());
    }
  }
  // The arguments of an operation, drawn in order (a braced list runs left to right).
  template <typename R, typename... A>
  std::tuple<std::decay_t<A>...> DrawFor(R (I3DRoleBaseData::*)(A...)) {
    return {Draw<std::decay_t<A>>()...};
  }
  const Pools& Tables() const { return m_pools; }
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

bool g_bManagerOn = true;

// One call of an operation with arguments of its types.
template <auto pOperation>
void Ask(I3DRoleBaseData* p, Arguments& args, Answers& answers) {
  auto call = [p](auto... values) { return (p->*pOperation)(values...); };
  auto values = args.DrawFor(pOperation);
  if constexpr (std::is_void_v<decltype(std::apply(call, values))>) {
    std::apply(call, values);
  } else {
    answers.Take(std::apply(call, values));
  }
}

using I = I3DRoleBaseData;
using Operation = void (*)(I3DRoleBaseData*, Arguments&, Answers&);

// Walks the catalogue from the start or from where the last walk stopped.
template <bool bFirst>
void WalkMaps(I3DRoleBaseData* p, Arguments&, Answers& answers) {
  uint32_t nId = 0;
  const GameMapInfo* pInfo = nullptr;
  bool bMore = (bFirst ? p->GetFirstGameMapInfo(&nId, &pInfo) : p->GetNextGameMapInfo(&nId, &pInfo));
  for (; bMore; bMore = p->GetNextGameMapInfo(&nId, &pInfo) != 0) answers.Take(pInfo);
}

// Files read on demand vanish or turn into folders: the dive file, or a track file.
template <bool bTrack>
void Vanish(I3DRoleBaseData*, Arguments& args, Answers&) {
  const std::vector<std::string>& vecTracks = args.Tables().vecTrackPaths;
  if (bTrack && vecTracks.empty()) return;
  std::string strPath = bTrack ? vecTracks[args.Draw<uint32_t>() % vecTracks.size()]
                               : "ini/3DBattleDive.ini";
  std::error_code ec;
  if (!IsSafeTrackPath(strPath)) return;
  fs::remove_all(strPath, ec);
  if (args.Draw<bool>()) fs::create_directory(strPath, ec);
}

// Operation n is slot n of the interface; then the stand-ins (a sound comes to its end, the
// game wants a file, the manager comes and goes) and the files.
const Operation OPERATIONS[] = {
    nullptr,  // slot 0, Create, is called by the run itself
    Ask<&I::GetGameMapInfo>, WalkMaps<true>, WalkMaps<false>, Ask<&I::GetRegionInfo>,
    Ask<&I::GetRegionList>, Ask<&I::GetRegionName>, Ask<&I::PlaySound>, Ask<&I::UpdateSoundAt>,
    Ask<&I::StopSound>, Ask<&I::GetSoundVolume>,
    Ask<static_cast<ListenerPos (I::*)()>(&I::GetListenerPos)>, Ask<&I::GetSoundEventName>,
    Ask<&I::PlaySoundEvent>, Ask<&I::SetSoundSwitch>, Ask<&I::SetSoundVolume>,
    Ask<static_cast<void (I::*)(int32_t, int32_t)>(&I::SetListenerPos)>,
    Ask<static_cast<void (I::*)(const ListenerPos&)>(&I::SetListenerPos)>, Ask<&I::PlaySoundAt>,
    Ask<&I::SetDistanceFading>,
    [](I3DRoleBaseData* p, Arguments& args, Answers& answers) {
      const char* pszName = args.Draw<const char*>();
      const char* pszFile = p->GetSoundFile(pszName);
      if (pszFile != pszName) answers.Take(pszFile);  // else the name itself came back
    },
    Ask<&I::GetTerrainNpcInfo>, Ask<&I::GetBattlePos>, Ask<&I::GetBattleRotaryAngle>,
    Ask<&I::GetBattleCameraTime>, Ask<&I::GetBattleTorch1>, Ask<&I::GetBattleTorch2>,
    Ask<&I::GetBattleTorch3>, Ask<&I::GetBattleTorch4>, Ask<&I::GetBattleViewPos>,
    Ask<&I::GetBattleViewStartPos>, Ask<&I::GetBattleArrayCellPos>, Ask<&I::GetBattleCamera>,
    Ask<&I::GetBattleMoveCamera>, Ask<&I::GetCaptureCamera1>, Ask<&I::GetCaptureCamera2>,
    Ask<&I::GetBattleDiveInfo>, Ask<&I::GetFighterPos>, Ask<&I::GetFighterPosOffset>,
    Ask<&I::GetBattleStartPos>, Ask<&I::GetBattleMapInfo>, Ask<&I::SetStoredValue1>,
    Ask<&I::GetStoredValue1>, Ask<&I::SetStoredValue2>, Ask<&I::GetStoredValue2>,
    Ask<&I::ClearStoredValues>,
    [](I3DRoleBaseData* p, Arguments& args, Answers& answers) {  // a name, never null
      answers.Take(p->GetCameraTrackInfo(args.Name(false)));
    },
    Ask<&I::GetCameraTrackFrames>, Ask<&I::GetNpcInfo>, Ask<&I::GetNpcStarLookInfo>,
    Ask<&I::IsRolePartHidden>, Ask<&I::GetRolePartScale>, Ask<&I::GetLookScale>,
    Ask<&I::GetMountScale>, Ask<&I::Is2DRoleLook>, Ask<&I::GetAppendentWeapon>,
    Ask<&I::GetWeaponAdjustByLook>, Ask<&I::GetAction3DEffect>, Ask<&I::GetRoleWeapon3DEffect>,
    Ask<&I::GetActionSound>, Ask<&I::GetSimpleObjInfo>, Ask<&I::GetRoleTraceInfo>,
    Ask<&I::GetRolePartReplaceInfo>,
    [](I3DRoleBaseData*, Arguments& args, Answers&) { ZorSoundFinish(args.Name(false)); },
    [](I3DRoleBaseData*, Arguments& args, Answers&) { AddResourceDemand(args.Name(false)); },
    [](I3DRoleBaseData*, Arguments&, Answers&) {
      g_bManagerOn = !g_bManagerOn;
      SetSoundManagerInstance(g_bManagerOn ? ZorSoundOwnManager() : nullptr);
    },
    Vanish<false>, Vanish<true>};
static_assert(std::size(OPERATIONS) == SLOT_COUNT + 6, "every slot and the five other operations");

// Each operation given (every slot when none are) once, then the calls of the piece.
void CallAll(I3DRoleBaseData* pData, const std::string& strCalls, const Pools& pools,
             Answers& answers, const std::vector<int>& vecOperations) {
  Arguments args(strCalls, pools);
  for (int nOperation = 1; vecOperations.empty() && nOperation <= SLOT_COUNT; ++nOperation) {
    OPERATIONS[nOperation](pData, args, answers);
  }
  for (int nOperation : vecOperations) OPERATIONS[nOperation](pData, args, answers);
  for (size_t nCall = 0; nCall < CALLS_MAX && args.More(); ++nCall) {
    OPERATIONS[args.Operation(vecOperations)](pData, args, answers);
  }
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
