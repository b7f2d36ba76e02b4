// The load of a whole generated data set and every query family, measured in one run with the
// floor of reading the same files, and a closing report of the figures against their targets.
//
//   create_bench                                  a fresh scale-1 set in a temporary folder
//   KESTRIN_BENCH_SCALE=5 create_bench            the same at another scale
//   KESTRIN_BENCH_DATA=build/dataset-50 create_bench --benchmark_repetitions=5
//                                                 a folder written by generate_dataset
//   create_bench --memory-probe DIR               one Create in this process, its figures on a
//                                                 line (the fresh-process samples run this;
//                                                 scripts/callgrind-load.sh counts it)
//   create_bench --straight-probe DIR             the same for the straightforward port
//
// Times are CPU times of the benchmark thread; with repetitions the report takes the median.
// Every query benchmark counts the allocations of the program per query ("allocs").
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "DataSet.h"
#include "StraightPort.h"
#include "I3DRoleBaseData.h"
#include "ZorEncryptFile.h"

namespace fs = std::filesystem;
using namespace KestrinBench;

namespace {
std::atomic<uint64_t> g_nAllocations{0};
}  // namespace

// Every allocation of the program is counted, so that a query that allocates shows. GCC takes
// the pairing of the replaced new with free for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(size_t nSize) {
  g_nAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = malloc(nSize == 0 ? 1 : nSize)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }

namespace {

// The straightforward port (fscanf/fgets + sscanf + std::map) loaded a set like this one at
// 75 to 85 MB/s on the machine where the targets were set; the report shows the comparison
// with the upper figure next to the one with the straightforward reading of this run.
const double PORT_MB_PER_S = 85.0;
const size_t KEYS = 4096;  // keys asked per query benchmark, a power of two
const char MEMORY_PROBE[] = "--memory-probe";

// The table files each loader reads, in the order Create runs the loaders.
struct Loader {
  const char* pszName;
  std::vector<const char*> files;
};
const std::vector<Loader>& Loaders() {
  static const std::vector<Loader> s_loaders = {
      {"GameMap", {"ini/GameMap.dat"}},
      {"Region", {"ini/region.ini"}},
      {"SoundEvent", {"ini/SoundEvent.ini"}},
      {"SoundRes", {"ini/SoundRes.ini"}},
      {"TerrainNpc", {"ini/TerrainNpc.dat"}},
      {"BattleMap", {"ini/BattleMap.ini"}},
      {"CaptureCamera", {"ini/CaptureCamera.ini"}},
      {"FighterPosOffset", {"ini/FighterPosOffset.ini"}},
      {"CameraTrack", {"ini/CameraTrack.ini"}},
      {"Npc", {"ini/Npc.ini", "ini/NpcX.ini"}},
      {"RolePartScale", {"ini/RolePartScale.ini"}},
      {"2DRoleLook", {"ini/2DRoleLook.ini"}},
      {"RolePartHide", {"ini/RolePartHide.ini"}},
      {"LookScale", {"ini/LookScale.ini"}},
      {"MountScale", {"ini/MountScale.ini"}},
      {"AppendentWeapon", {"ini/AppendentWeapon.ini"}},
      {"WeaponAdjustByLook", {"ini/WeaponAdjustByLook.ini"}},
      {"RoleWeapon3DEffect", {"ini/RoleWeapon3DEffect.ini"}},
      {"Action3DEffect", {"ini/Action3DEffect.ini"}},
      {"ActionSound", {"ini/ActionSound.ini"}},
      {"SimpleObjInfo", {"ini/SimpleObjInfo.ini"}},
      {"RoleTrace", {"ini/RoleTrace.ini"}},
      {"RolePartReplace", {"ini/RolePartReplace.ini"}},
  };
  return s_loaders;
}

uint64_t FileBytes(const fs::path& path) {
  std::error_code ec;
  uintmax_t nBytes = fs::file_size(path, ec);
  return ec ? 0 : static_cast<uint64_t>(nBytes);
}

// The data set of the run: a folder written by generate_dataset, or a fresh one of a scale in a
// temporary folder that goes with the program. The current folder is changed freely by the
// benchmarks; paths here are absolute.
class CBenchData {
 public:
  static CBenchData& Get() {
    static CBenchData s_data;
    return s_data;
  }
  bool Ready() const { return m_nScale > 0; }
  const fs::path& Folder() const { return m_folder; }
  const DataSetShape& Shape() const { return m_shape; }
  int Scale() const { return m_nScale; }
  // The files Create reads, absolute, and their bytes.
  const std::vector<std::string>& CreateFiles() const { return m_vecCreateFiles; }
  uint64_t CreateBytes() const { return m_nCreateBytes; }
  uint64_t LoaderBytes(const Loader& loader) const {
    uint64_t nBytes = 0;
    for (const char* pszFile : loader.files) nBytes += FileBytes(m_folder / pszFile);
    return nBytes;
  }
  // A folder holding nothing but the loader's files (linked to the set's).
  fs::path SoloFolder(const Loader& loader) const { return m_folder / "solo" / loader.pszName; }
  bool Generated() const { return m_bOwned; }
  void Enter() const { fs::current_path(m_folder); }

 private:
  CBenchData() {
    const char* pszData = getenv("KESTRIN_BENCH_DATA");
    if (pszData != nullptr && *pszData != '\0') {
      m_folder = fs::absolute(pszData);
      m_nScale = ReadDataSetScale(m_folder.string());
      if (m_nScale == 0) {
        fprintf(stderr, "create_bench: %s was not written by generate_dataset\n", pszData);
        return;
      }
    } else {
      const char* pszScale = getenv("KESTRIN_BENCH_SCALE");
      int nScale = pszScale != nullptr ? atoi(pszScale) : 1;
      std::string strFolder = (fs::temp_directory_path() / "kestrin-create-bench-XXXXXX").string();
      if (nScale < 1 || mkdtemp(strFolder.data()) == nullptr) {
        fprintf(stderr, "create_bench: no temporary folder for a set of scale %d\n", nScale);
        return;
      }
      m_folder = strFolder;
      m_bOwned = true;
      std::string strError;
      if (!WriteDataSet(strFolder, nScale, &strError)) {
        fprintf(stderr, "create_bench: %s\n", strError.c_str());
        return;
      }
      m_nScale = nScale;
    }
    m_shape = ShapeAtScale(m_nScale);
    for (const Loader& loader : Loaders()) {
      for (const char* pszFile : loader.files) {
        m_vecCreateFiles.push_back((m_folder / pszFile).string());
        m_nCreateBytes += FileBytes(m_folder / pszFile);
      }
      fs::path solo = SoloFolder(loader) / "ini";
      std::error_code ec;
      fs::create_directories(solo, ec);
      for (const char* pszFile : loader.files) {
        fs::path link = SoloFolder(loader) / pszFile;
        if (!fs::exists(link, ec)) fs::create_symlink(m_folder / pszFile, link, ec);
      }
    }
  }
  ~CBenchData() {
    std::error_code ec;
    if (m_bOwned) fs::remove_all(m_folder, ec);
  }

  fs::path m_folder;
  bool m_bOwned = false;
  int m_nScale = 0;
  DataSetShape m_shape;
  std::vector<std::string> m_vecCreateFiles;
  uint64_t m_nCreateBytes = 0;
};

// ---------------------------------------------------------------------------------------------
// The floor: the same files read whole, one read each, into a buffer that only grows; and the
// same with one pass over every byte, counting line feeds.

size_t ReadWhole(const std::string& strPath, std::vector<char>& buffer) {
  FILE* pFile = fopen(strPath.c_str(), "rb");
  if (pFile == nullptr) return 0;
  fseek(pFile, 0, SEEK_END);
  long nSize = ftell(pFile);
  fseek(pFile, 0, SEEK_SET);
  if (nSize > 0 && buffer.size() < static_cast<size_t>(nSize)) {
    buffer.resize(static_cast<size_t>(nSize));
  }
  size_t nRead = nSize > 0 ? fread(buffer.data(), 1, static_cast<size_t>(nSize), pFile) : 0;
  fclose(pFile);
  return nRead;
}

// The pass of the floor: every byte looked at once, one after the other, counting line feeds
// (kept a byte loop, as the reference figures of the floor were taken).
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("no-tree-vectorize")))
#endif
size_t CountLineFeeds(const char* p, size_t nSize) {
  size_t nLines = 0;
  for (size_t i = 0; i < nSize; ++i) nLines += p[i] == '\n';
  return nLines;
}

// The same count as the compiler vectorises it: sixteen or more bytes a step.
size_t CountLineFeedsWide(const char* p, size_t nSize) {
  size_t nLines = 0;
  for (size_t i = 0; i < nSize; ++i) nLines += p[i] == '\n';
  return nLines;
}

enum FloorPass { READ_ONLY, BYTE_PASS, WIDE_PASS };

void FloorRead(benchmark::State& state, FloorPass pass) {
  const CBenchData& data = CBenchData::Get();
  std::vector<char> buffer;
  for (auto _ : state) {
    size_t nLines = 0;
    for (const std::string& strPath : data.CreateFiles()) {
      size_t nRead = ReadWhole(strPath, buffer);
      if (pass == BYTE_PASS) nLines += CountLineFeeds(buffer.data(), nRead);
      if (pass == WIDE_PASS) nLines += CountLineFeedsWide(buffer.data(), nRead);
    }
    benchmark::DoNotOptimize(nLines);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(data.CreateBytes()));
}

// ---------------------------------------------------------------------------------------------
// The straightforward port (StraightPort.h), measured in the same run for the ten-times
// comparison.

void BM_Straightforward(benchmark::State& state) {
  const CBenchData& data = CBenchData::Get();
  for (auto _ : state) benchmark::DoNotOptimize(StraightLoad(data.Folder().string()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(data.CreateBytes()));
}

// ---------------------------------------------------------------------------------------------
// Load and release through the module, as the client runs them.

// The one service: the query benchmarks load it once in the data folder; the load benchmarks
// end it and say so here.
bool g_bServiceLoaded = false;

I3DRoleBaseData* LoadedService() {
  if (!g_bServiceLoaded) {
    RoleBaseDataDestroy();
    CBenchData::Get().Enter();
    I3DRoleBaseData* pData = RoleBaseDataQuery();
    if (pData == nullptr || pData->Create() != 1) {
      fprintf(stderr, "create_bench: the data set does not load\n");
      exit(1);
    }
    g_bServiceLoaded = true;
  }
  return RoleBaseDataQuery();
}

// What the kernel did for this thread so far: system time and minor page faults.
struct KernelFigures {
  double dSystemMs = 0.0;
  double dFaults = 0.0;
};
KernelFigures KernelNow() {
  KernelFigures figures;
#if defined(__linux__)
  rusage usage;
  if (getrusage(RUSAGE_THREAD, &usage) == 0) {
    figures.dSystemMs = usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
    figures.dFaults = static_cast<double>(usage.ru_minflt);
  }
#endif
  return figures;
}

// Create in a folder, a fresh service each time; the release is not timed. Also counts the
// kernel's share: system time and page faults per Create.
void TimeCreate(benchmark::State& state, const fs::path& folder, uint64_t nBytes) {
  RoleBaseDataDestroy();
  g_bServiceLoaded = false;
  fs::current_path(folder);
  KernelFigures kernel;
  for (auto _ : state) {
    KernelFigures before = KernelNow();
    I3DRoleBaseData* pData = RoleBaseDataQuery();
    benchmark::DoNotOptimize(pData->Create());
    KernelFigures after = KernelNow();
    kernel.dSystemMs += after.dSystemMs - before.dSystemMs;
    kernel.dFaults += after.dFaults - before.dFaults;
    state.PauseTiming();
    RoleBaseDataDestroy();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(nBytes));
  state.counters["sys_ms"] = benchmark::Counter(kernel.dSystemMs, benchmark::Counter::kAvgIterations);
  state.counters["faults"] = benchmark::Counter(kernel.dFaults, benchmark::Counter::kAvgIterations);
}

void BM_Create(benchmark::State& state) {
  const CBenchData& data = CBenchData::Get();
  TimeCreate(state, data.Folder(), data.CreateBytes());
}

// Destroy of a loaded service: every table released.
void BM_Release(benchmark::State& state) {
  RoleBaseDataDestroy();
  g_bServiceLoaded = false;
  CBenchData::Get().Enter();
  for (auto _ : state) {
    state.PauseTiming();
    RoleBaseDataQuery()->Create();
    state.ResumeTiming();
    RoleBaseDataDestroy();
  }
}

// Deciphering the bytes of ini/GameMap.dat in place (again and again: the speed is the same).
void BM_Decipher(benchmark::State& state) {
  const CBenchData& data = CBenchData::Get();
  std::vector<char> buffer;
  size_t nSize = ReadWhole((data.Folder() / "ini/GameMap.dat").string(), buffer);
  unsigned char abyKey[ZorGameBase::CZorEncryptFile::KEY_SIZE];
  ZorGameBase::CZorEncryptFile::BuildKey(ZorGameBase::DAT_FILE_SEED, abyKey);
  for (auto _ : state) {
    ZorGameBase::CZorEncryptFile::Decipher(abyKey, reinterpret_cast<unsigned char*>(buffer.data()),
                                           static_cast<int>(nSize));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(nSize));
}

// ---------------------------------------------------------------------------------------------
// Queries through the interface, over keys spread across the tables in a scattered order.

class CKeyRandom {
 public:
  explicit CKeyRandom(uint32_t nSeed) : m_nState(nSeed * 2654435761u + 1) {}
  uint32_t Below(size_t n) {
    m_nState = m_nState * 1103515245u + 12345u;
    return static_cast<uint32_t>(((m_nState >> 8) * static_cast<uint64_t>(n)) >> 24);
  }

 private:
  uint32_t m_nState;
};

template <typename TKey>
std::vector<TKey> MakeKeys(uint32_t nSeed, std::function<TKey(CKeyRandom&)> fnKey) {
  CKeyRandom random(nSeed);
  std::vector<TKey> keys(KEYS);
  for (TKey& key : keys) key = fnKey(random);
  return keys;
}

template <typename TKey, typename TQuery>
void RunQueries(benchmark::State& state, const std::vector<TKey>& keys, TQuery fnQuery) {
  I3DRoleBaseData* pData = LoadedService();
  size_t i = 0;
  uint64_t nBefore = g_nAllocations.load();
  for (auto _ : state) {
    benchmark::DoNotOptimize(fnQuery(pData, keys[i]));
    i = (i + 1) & (KEYS - 1);
  }
  state.counters["allocs"] = benchmark::Counter(
      static_cast<double>(g_nAllocations.load() - nBefore) / static_cast<double>(state.iterations()));
}

struct Effect {
  uint32_t a, b, c, d;
};
struct Triple {
  uint32_t a, b, c;
};
struct HideAsk {
  uint32_t nLook, nAction, nValue;
  const char* pszPart;
};
struct FighterAsk {
  uint32_t nMap;
  int32_t nKey1, nKey2, nGroup;
};

// What a query benchmark is counted as in the report.
enum QueryKind { SINGLE_KEY, FALLBACK, BATTLE, EFFECT_MIX, EFFECT_MISS, OTHER };
std::map<std::string, QueryKind>& QueryKinds() {
  static std::map<std::string, QueryKind> s_kinds;
  return s_kinds;
}

template <typename TKey, typename TQuery>
void AddQuery(const std::string& strName, QueryKind kind, std::vector<TKey> keys, TQuery fnQuery) {
  QueryKinds()[strName] = kind;
  auto pKeys = std::make_shared<std::vector<TKey>>(std::move(keys));
  benchmark::RegisterBenchmark(strName.c_str(), [pKeys, fnQuery](benchmark::State& state) {
    RunQueries(state, *pKeys, fnQuery);
  });
}

// Effect asks: listed exactly (first try), an unlisted look of a listed weapon and action (the
// second try, 9999.b.c.d), level 2 of a wildcard weapon (the eighth try, a.b.c.999), or absent
// from all eight tries.
Effect FirstTryEffect(const DataSetShape& shape, CKeyRandom& r) {
  return {EFFECT_FIRST_LOOK + r.Below(shape.nEffectLooks), EFFECT_FIRST_WEAPON + r.Below(EFFECT_WEAPONS),
          EFFECT_FIRST_ACTION + r.Below(EFFECT_ACTIONS), 1};
}
Effect SecondTryEffect(CKeyRandom& r) {
  return {EFFECT_ABSENT_LOOK + r.Below(100), EFFECT_FIRST_WEAPON + r.Below(EFFECT_WEAPONS),
          EFFECT_FIRST_ACTION + r.Below(EFFECT_ACTIONS), 1};
}
Effect LastTryEffect(const DataSetShape& shape, CKeyRandom& r) {
  return {EFFECT_FIRST_LOOK + r.Below(shape.nEffectLooks),
          EFFECT_FIRST_WEAPON + r.Below(EFFECT_WILD_WEAPONS), EFFECT_FIRST_ACTION, 2};
}
Effect MissEffect(const DataSetShape& shape, CKeyRandom& r) {
  return {EFFECT_FIRST_LOOK + r.Below(shape.nEffectLooks), EFFECT_FIRST_WEAPON + r.Below(EFFECT_WEAPONS),
          EFFECT_ABSENT_ACTION + r.Below(50), 3};
}
// What a frame asks: 70 % listed exactly, 10 % each second try, eighth try and absent.
Effect MixEffect(const DataSetShape& shape, CKeyRandom& r) {
  uint32_t nKind = r.Below(10);
  if (nKind < 7) return FirstTryEffect(shape, r);
  if (nKind == 7) return SecondTryEffect(r);
  if (nKind == 8) return LastTryEffect(shape, r);
  return MissEffect(shape, r);
}

Triple ActionSoundAsk(const DataSetShape& shape, CKeyRandom& r, int nKind) {
  uint32_t a = 1000 + r.Below(shape.nActionSoundLooks);
  uint32_t c = 1 + r.Below(ACTION_SOUND_ACTIONS);
  if (nKind == 0) return {a, 400 + r.Below(ACTION_SOUND_WEAPONS), c};  // listed
  if (nKind == 1) return {a, 600 + r.Below(100), c};                    // a.999.c
  return {a, 400 + r.Below(ACTION_SOUND_WEAPONS), 100 + c};             // absent
}

int64_t RoleTraceAsk(const DataSetShape& shape, CKeyRandom& r, int nKind) {
  size_t nGroups = shape.nRoleTraces / (ROLE_TRACE_PER_GROUP + 1);
  size_t nGroup = r.Below(nGroups);
  int64_t a = RoleTraceA(nGroup);
  int64_t c = RoleTraceC(nGroup);
  if (nKind == 0) return RoleTraceKey(a, r.Below(ROLE_TRACE_PER_GROUP), c);   // listed
  if (nKind == 1) return RoleTraceKey(a, 100 + r.Below(100), c);              // a.999.c
  return RoleTraceKey(a, r.Below(ROLE_TRACE_PER_GROUP), c + 5000);            // absent
}

void RegisterQueries(const DataSetShape& shape) {
  const size_t nMaps = shape.nBattleMaps;
  auto Index = [](size_t n) {
    return std::function<size_t(CKeyRandom&)>([n](CKeyRandom& r) { return size_t{r.Below(n)}; });
  };
  uint32_t nSeed = 1;
  // Single-key tables.
  AddQuery("GetGameMapInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nGameMaps)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetGameMapInfo(GameMapId(i)); });
  AddQuery("GetGameMapInfo/absent", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nGameMaps)),
           [&shape](I3DRoleBaseData* p, size_t i) {
             return p->GetGameMapInfo(GameMapId(i + shape.nGameMaps));
           });
  AddQuery("GetRegionInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nRegions)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetRegionInfo(RegionSecondId(i)); });
  AddQuery("GetRegionName", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nRegions)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetRegionName(RegionId(i)); });
  AddQuery("GetSoundEventName", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nSoundEvents)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetSoundEventName(SoundEventId(i)); });
  AddQuery("GetTerrainNpcInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nTerrainNpcs)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetTerrainNpcInfo(TerrainNpcId(i)); });
  AddQuery("GetBattleMapInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(nMaps)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetBattleMapInfo(static_cast<uint32_t>(i)); });
  AddQuery("GetFighterPosOffset", SINGLE_KEY,
           MakeKeys<size_t>(nSeed++, Index(shape.nFighterOffsets)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetFighterPosOffset(FighterOffsetKey(i)); });
  AddQuery("GetNpcInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nNpcs)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetNpcInfo(NpcType(i)); });
  AddQuery("GetNpcStarLookInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nStarLooks)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetNpcStarLookInfo(NpcType(i)); });
  AddQuery("GetRolePartScale", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nRolePartScales)),
           [](I3DRoleBaseData* p, size_t i) {
             return p->GetRolePartScale(RolePartScalePart(i), RolePartScalePiece(i));
           });
  AddQuery("GetLookScale", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nLookScales)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetLookScale(LookScaleLook(i)); });
  AddQuery("GetMountScale", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nMountScales)),
           [](I3DRoleBaseData* p, size_t i) {
             return p->GetMountScale(MountScaleMount(i), MountScaleLook(i));
           });
  // Half the looks asked are listed.
  AddQuery("Is2DRoleLook", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(2 * shape.n2DLooks)),
           [](I3DRoleBaseData* p, size_t i) { return p->Is2DRoleLook(static_cast<uint32_t>(5000 + i)); });
  AddQuery("GetAppendentWeapon", SINGLE_KEY,
           MakeKeys<size_t>(nSeed++, Index(shape.nAppendentWeapons)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetAppendentWeapon(AppendentWeaponId(i)); });
  AddQuery("GetWeaponAdjustByLook", SINGLE_KEY,
           MakeKeys<size_t>(nSeed++, Index(shape.nWeaponAdjusts)), [](I3DRoleBaseData* p, size_t i) {
             return p->GetWeaponAdjustByLook(AdjustWeapon(i), AdjustLook(i));
           });
  AddQuery("GetSimpleObjInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(shape.nSimpleObjs)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetSimpleObjInfo(SimpleObjId(i)); });
  AddQuery("GetRolePartReplaceInfo", SINGLE_KEY,
           MakeKeys<size_t>(nSeed++, Index(shape.nRolePartReplaces)), [](I3DRoleBaseData* p, size_t i) {
             return p->GetRolePartReplaceInfo(RolePartReplaceKey(i));
           });
  // Tables keyed by names: the names asked are kept by the caller, as the client keeps them.
  // Sound names of one file, and of several, where the query draws from the clock-seeded
  // generator as the resource table says.
  auto pSoundNames = std::make_shared<std::vector<std::string>>();
  auto pPickedNames = std::make_shared<std::vector<std::string>>();
  auto pTrackNames = std::make_shared<std::vector<std::string>>();
  for (size_t i = 0; i < KEYS; ++i) {
    size_t nSound = (i * 7919) % shape.nSoundRes;
    pSoundNames->push_back(SoundResName(SoundResFiles(nSound) == 1 ? nSound : nSound + 1));
    pPickedNames->push_back(SoundResName(nSound - nSound % 3));
    pTrackNames->push_back(CameraTrackName((i * 7919) % shape.nCameraTracks));
  }
  AddQuery("GetSoundFile", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(KEYS)),
           [pSoundNames](I3DRoleBaseData* p, size_t i) {
             return p->GetSoundFile((*pSoundNames)[i].c_str());
           });
  AddQuery("GetSoundFile/random-pick", OTHER, MakeKeys<size_t>(nSeed++, Index(KEYS)),
           [pPickedNames](I3DRoleBaseData* p, size_t i) {
             return p->GetSoundFile((*pPickedNames)[i].c_str());
           });
  AddQuery("GetCameraTrackInfo", SINGLE_KEY, MakeKeys<size_t>(nSeed++, Index(KEYS)),
           [pTrackNames](I3DRoleBaseData* p, size_t i) {
             return p->GetCameraTrackInfo((*pTrackNames)[i].c_str());
           });

  // Fallbacks: the smallest type, the first terrain NPC, the 999 entries.
  AddQuery("GetNpcInfo/smallest", FALLBACK, MakeKeys<size_t>(nSeed++, Index(shape.nNpcs)),
           [&shape](I3DRoleBaseData* p, size_t i) {
             return p->GetNpcInfo(NpcType(i + shape.nNpcs));
           });
  AddQuery("GetTerrainNpcInfo/first", FALLBACK, MakeKeys<size_t>(nSeed++, Index(shape.nTerrainNpcs)),
           [&shape](I3DRoleBaseData* p, size_t i) {
             return p->GetTerrainNpcInfo(TerrainNpcId(i + shape.nTerrainNpcs));
           });
  for (int nKind = 0; nKind < 3; ++nKind) {
    static const char* const KIND[] = {"exact", "fallback", "absent"};
    AddQuery(std::string("GetActionSound/") + KIND[nKind], FALLBACK,
             MakeKeys<Triple>(nSeed++,
                              [&shape, nKind](CKeyRandom& r) { return ActionSoundAsk(shape, r, nKind); }),
             [](I3DRoleBaseData* p, const Triple& t) { return p->GetActionSound(t.a, t.b, t.c); });
    AddQuery(std::string("GetRoleTraceInfo/") + KIND[nKind], FALLBACK,
             MakeKeys<int64_t>(nSeed++,
                               [&shape, nKind](CKeyRandom& r) { return RoleTraceAsk(shape, r, nKind); }),
             [](I3DRoleBaseData* p, int64_t nKey) { return p->GetRoleTraceInfo(nKey); });
  }
  // Listed looks, and looks left out of the file that the 999 entries answer.
  AddQuery("IsRolePartHidden", FALLBACK,
           MakeKeys<HideAsk>(nSeed++,
                             [&shape](CKeyRandom& r) {
                               size_t i = r.Below(shape.nHideEntries);
                               static const char* const ASKED[] = {"Hair", "Cloak", "Head", "Wing"};
                               return HideAsk{HideLook(i), HideAction(i), r.Below(120), ASKED[r.Below(4)]};
                             }),
           [](I3DRoleBaseData* p, const HideAsk& h) {
             return p->IsRolePartHidden(h.nLook, h.nAction, HIDE_PART, HIDE_STATE, h.nValue, h.pszPart);
           });

  // Battle positions; maps past the last one are answered by map 0.
  AddQuery("GetBattlePos", BATTLE, MakeKeys<size_t>(nSeed++, Index(nMaps + nMaps / 10)),
           [](I3DRoleBaseData* p, size_t i) { return p->GetBattlePos(static_cast<uint32_t>(i), 0); });
  AddQuery("GetBattleRotaryAngle", BATTLE, MakeKeys<size_t>(nSeed++, Index(nMaps + nMaps / 10)),
           [](I3DRoleBaseData* p, size_t i) {
             return p->GetBattleRotaryAngle(static_cast<uint32_t>(i));
           });
  AddQuery("GetBattleCameraTime", BATTLE, MakeKeys<size_t>(nSeed++, Index(nMaps)),
           [](I3DRoleBaseData* p, size_t i) {
             return p->GetBattleCameraTime(static_cast<uint32_t>(i));
           });
  AddQuery("GetBattleTorch1", BATTLE, MakeKeys<size_t>(nSeed++, Index(nMaps)),
           [](I3DRoleBaseData* p, size_t i) {
             return p->GetBattleTorch1(static_cast<uint32_t>(i), 1 + static_cast<int32_t>(i % 3));
           });
  AddQuery("GetFighterPos", BATTLE,
           MakeKeys<FighterAsk>(nSeed++,
                                [nMaps](CKeyRandom& r) {
                                  int32_t nGroup = 1 + static_cast<int32_t>(r.Below(2));
                                  return FighterAsk{r.Below(nMaps), nGroup - 1,
                                                    static_cast<int32_t>(r.Below(6)), nGroup};
                                }),
           [](I3DRoleBaseData* p, const FighterAsk& f) {
             return p->GetFighterPos(f.nMap, f.nKey1, f.nKey2, f.nGroup);
           });
  AddQuery("GetBattleStartPos", BATTLE, MakeKeys<size_t>(nSeed++, Index(nMaps)),
           [](I3DRoleBaseData* p, size_t i) {
             return p->GetBattleStartPos(static_cast<uint32_t>(i), static_cast<int32_t>(i % 2), 0);
           });
  AddQuery("GetBattleViewPos", BATTLE, MakeKeys<size_t>(nSeed++, Index(shape.nViewPos)),
           [](I3DRoleBaseData* p, size_t v) {
             return p->GetBattleViewPos(static_cast<int32_t>(v / 8), static_cast<int32_t>(v % 8));
           });
  AddQuery("GetBattleArrayCellPos", BATTLE, MakeKeys<size_t>(nSeed++, Index(3)),
           [](I3DRoleBaseData* p, size_t i) {
             return p->GetBattleArrayCellPos(static_cast<int32_t>(i));
           });

  // The eight-try effect queries.
  auto Effects = [&shape, &nSeed](Effect (*fnAsk)(const DataSetShape&, CKeyRandom&)) {
    return MakeKeys<Effect>(nSeed++, [&shape, fnAsk](CKeyRandom& r) { return fnAsk(shape, r); });
  };
  auto Weapon = [](I3DRoleBaseData* p, const Effect& e) {
    return p->GetRoleWeapon3DEffect(e.a, e.b, e.c, e.d);
  };
  auto Action = [](I3DRoleBaseData* p, const Effect& e) {
    return p->GetAction3DEffect(e.a, e.b, e.c, e.d);
  };
  AddQuery("GetRoleWeapon3DEffect/first-try", OTHER, Effects(FirstTryEffect), Weapon);
  AddQuery("GetRoleWeapon3DEffect/second-try", OTHER,
           Effects([](const DataSetShape&, CKeyRandom& r) { return SecondTryEffect(r); }), Weapon);
  AddQuery("GetRoleWeapon3DEffect/eighth-try", OTHER, Effects(LastTryEffect), Weapon);
  AddQuery("GetRoleWeapon3DEffect/miss", EFFECT_MISS, Effects(MissEffect), Weapon);
  AddQuery("GetRoleWeapon3DEffect/mix", EFFECT_MIX, Effects(MixEffect), Weapon);
  AddQuery("GetAction3DEffect/miss", EFFECT_MISS, Effects(MissEffect), Action);
  AddQuery("GetAction3DEffect/mix", EFFECT_MIX, Effects(MixEffect), Action);
}

// The answers the query benchmarks rely on: listed keys found, absent ones not, fallbacks taken.
bool CheckAnswers(const DataSetShape& shape) {
  I3DRoleBaseData* p = LoadedService();
  CKeyRandom r(99);
  bool bGood = true;
  auto Expect = [&bGood](bool bHolds, const char* pszWhat) {
    if (!bHolds) fprintf(stderr, "create_bench: the data set does not answer %s\n", pszWhat);
    bGood &= bHolds;
  };
  for (int n = 0; n < 64; ++n) {
    size_t i = r.Below(shape.nGameMaps);
    Expect(p->GetGameMapInfo(GameMapId(i)) != nullptr, "every map");
    Expect(p->GetRegionName(RegionId(r.Below(shape.nRegions))) != nullptr, "every region");
    Expect(p->GetSoundEventName(SoundEventId(r.Below(shape.nSoundEvents))) != nullptr,
           "every sound event");
    Expect(p->GetTerrainNpcInfo(TerrainNpcId(7))->Id == TerrainNpcId(7), "terrain NPC 7");
    Expect(p->GetBattleMapInfo(static_cast<uint32_t>(r.Below(shape.nBattleMaps))) != nullptr,
           "every battle map");
    Expect(p->GetFighterPos(static_cast<uint32_t>(r.Below(shape.nBattleMaps)), 1, 5, 2) != nullptr,
           "fighter 5 of group 2");
    Expect(p->GetNpcInfo(NpcType(i))->Id == NpcType(i), "every NPC type");
    Expect(p->GetNpcStarLookInfo(NpcType(i))->Id == NpcType(i), "every star look");
    Expect(p->GetSimpleObjInfo(SimpleObjId(r.Below(shape.nSimpleObjs))) != nullptr,
           "every simple object");
    Expect(p->GetRolePartReplaceInfo(RolePartReplaceKey(r.Below(shape.nRolePartReplaces))) != nullptr,
           "every part replacement");
    Expect(p->GetAppendentWeapon(AppendentWeaponId(r.Below(shape.nAppendentWeapons))) != 0,
           "every appended weapon");
    Expect(p->Is2DRoleLook(Role2DLook(r.Below(shape.n2DLooks))), "every 2D look");
    Expect(p->GetCameraTrackInfo(CameraTrackName(r.Below(shape.nCameraTracks)).c_str()) != nullptr,
           "every camera track");
    Effect e = FirstTryEffect(shape, r);
    Expect(p->GetRoleWeapon3DEffect(e.a, e.b, e.c, e.d) != nullptr, "listed effects");
    e = SecondTryEffect(r);
    Expect(p->GetAction3DEffect(e.a, e.b, e.c, e.d) != nullptr, "effects of unlisted looks");
    e = LastTryEffect(shape, r);
    Expect(p->GetRoleWeapon3DEffect(e.a, e.b, e.c, e.d) != nullptr, "effects of other levels");
    e = MissEffect(shape, r);
    Expect(p->GetRoleWeapon3DEffect(e.a, e.b, e.c, e.d) == nullptr, "absent effects with null");
    Triple t = ActionSoundAsk(shape, r, 1);
    Expect(p->GetActionSound(t.a, t.b, t.c) != nullptr, "action sounds of other weapons");
    t = ActionSoundAsk(shape, r, 2);
    Expect(p->GetActionSound(t.a, t.b, t.c) == nullptr, "absent action sounds with null");
    Expect(p->GetRoleTraceInfo(RoleTraceAsk(shape, r, 0)) != nullptr, "listed role traces");
    const RoleTraceInfo* pTrace = p->GetRoleTraceInfo(RoleTraceAsk(shape, r, 1));
    Expect(pTrace != nullptr && (pTrace->Key / 10000) % 1000 == 999, "role traces with 999");
    Expect(p->GetRoleTraceInfo(RoleTraceAsk(shape, r, 2)) == nullptr, "absent traces with null");
  }
  Expect(p->IsRolePartHidden(1007, 1, HIDE_PART, HIDE_STATE, 5, "Hair") == 1,
         "an unlisted look by its 999 entry");
  return bGood;
}

// ---------------------------------------------------------------------------------------------
// The client's one load: a fresh process per sample runs Create once (or the straightforward
// reading once) and reports its CPU time, page faults and how far its resident size rose.

struct MemoryFigures {
  bool bMeasured = false;
  uint64_t nPeakBytes = 0;  // highest resident size during the load, above the size before
  uint64_t nKeptBytes = 0;  // resident size after the load, above the size before
  double dCreateMs = 0.0;   // CPU time of the load (user and system)
  double dSystemMs = 0.0;   // of which the kernel's
  uint64_t nFaults = 0;     // minor page faults during it
};

const char STRAIGHT_PROBE[] = "--straight-probe";

#if defined(__linux__)
uint64_t StatusBytes(const char* pszKey) {
  std::ifstream in("/proc/self/status");
  std::string strLine;
  size_t nKey = strlen(pszKey);
  while (std::getline(in, strLine)) {
    if (strLine.compare(0, nKey, pszKey) == 0) return strtoull(strLine.c_str() + nKey, nullptr, 10) * 1024;
  }
  return 0;
}

double Ms(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }

// Runs the load once in this process and prints its figures on one line.
int RunProbe(const char* pszMode, const char* pszFolder) {
  fs::current_path(pszFolder);
  uint64_t nBefore = std::max(StatusBytes("VmRSS:"), StatusBytes("VmHWM:"));
  bool bStraight = strcmp(pszMode, STRAIGHT_PROBE) == 0;
  I3DRoleBaseData* pData = bStraight ? nullptr : RoleBaseDataQuery();
  rusage before, after;
  getrusage(RUSAGE_THREAD, &before);
  int nResult = 0;
  if (bStraight) {
    benchmark::DoNotOptimize(StraightLoad("."));
    getrusage(RUSAGE_THREAD, &after);
  } else {
    nResult = pData->Create() == 1 ? 0 : 1;
    getrusage(RUSAGE_THREAD, &after);
  }
  uint64_t nPeak = StatusBytes("VmHWM:");
  uint64_t nAfter = StatusBytes("VmRSS:");
  double dSystemMs = Ms(after.ru_stime) - Ms(before.ru_stime);
  double dCpuMs = Ms(after.ru_utime) - Ms(before.ru_utime) + dSystemMs;
  printf("%" PRIu64 " %" PRIu64 " %.3f %.3f %ld\n", nPeak - nBefore,
         nAfter > nBefore ? nAfter - nBefore : 0, dCpuMs, dSystemMs,
         after.ru_minflt - before.ru_minflt);
  fflush(stdout);
  if (!bStraight) RoleBaseDataDestroy();
  return nResult;
}

// One sample: a child process that runs the probe. A loader's own folder holds only its files,
// so that Create answers 0 there; that is no failure of the sample.
MemoryFigures ProbeOnce(const char* pszMode, const fs::path& folder) {
  MemoryFigures figures;
  int anPipe[2];
  if (pipe(anPipe) != 0) return figures;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(anPipe[1], 1);
    close(anPipe[0]);
    std::string strFolder = folder.string();
    execl("/proc/self/exe", "create_bench", pszMode, strFolder.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(anPipe[1]);
  char szOut[160] = "";
  ssize_t nRead = pid > 0 ? read(anPipe[0], szOut, sizeof(szOut) - 1) : -1;
  close(anPipe[0]);
  int nStatus = 0;
  if (pid > 0) waitpid(pid, &nStatus, 0);
  if (nRead > 0 && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) != 127) {
    szOut[nRead] = '\0';
    unsigned long long nPeak = 0, nKept = 0;
    long nFaults = 0;
    figures.bMeasured = sscanf(szOut, "%llu %llu %lf %lf %ld", &nPeak, &nKept, &figures.dCreateMs,
                               &figures.dSystemMs, &nFaults) == 5;
    figures.nPeakBytes = nPeak;
    figures.nKeptBytes = nKept;
    figures.nFaults = static_cast<uint64_t>(nFaults);
  }
  return figures;
}
#else
int RunProbe(const char*, const char*) { return 1; }
MemoryFigures ProbeOnce(const char*, const fs::path&) { return MemoryFigures(); }
#endif

// The median of each figure over nSamples fresh processes.
MemoryFigures ProbeFresh(const char* pszMode, const fs::path& folder, size_t nSamples) {
  std::vector<MemoryFigures> samples;
  for (size_t i = 0; i < nSamples; ++i) {
    MemoryFigures figures = ProbeOnce(pszMode, folder);
    if (figures.bMeasured) samples.push_back(figures);
  }
  MemoryFigures median;
  if (samples.empty()) return median;
  auto fnMedian = [&samples](auto fnField) {
    std::vector<double> values;
    for (const MemoryFigures& figures : samples) values.push_back(static_cast<double>(fnField(figures)));
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  median.bMeasured = true;
  median.nPeakBytes = static_cast<uint64_t>(fnMedian([](const MemoryFigures& f) { return f.nPeakBytes; }));
  median.nKeptBytes = static_cast<uint64_t>(fnMedian([](const MemoryFigures& f) { return f.nKeptBytes; }));
  median.dCreateMs = fnMedian([](const MemoryFigures& f) { return f.dCreateMs; });
  median.dSystemMs = fnMedian([](const MemoryFigures& f) { return f.dSystemMs; });
  median.nFaults = static_cast<uint64_t>(fnMedian([](const MemoryFigures& f) { return f.nFaults; }));
  return median;
}

// The fresh-process figures of the report: the whole load, the straightforward reading, and
// each loader alone.
struct FreshFigures {
  MemoryFigures create;
  MemoryFigures straight;
  std::vector<MemoryFigures> loaders;  // in the order of Loaders()
};

FreshFigures MeasureFresh(const CBenchData& data, size_t nSamples) {
  FreshFigures fresh;
  fresh.create = ProbeFresh(MEMORY_PROBE, data.Folder(), nSamples);
  fresh.straight = ProbeFresh(STRAIGHT_PROBE, data.Folder(), nSamples);
  for (const Loader& loader : Loaders()) {
    fresh.loaders.push_back(ProbeFresh(MEMORY_PROBE, data.SoloFolder(loader), nSamples));
  }
  return fresh;
}

// ---------------------------------------------------------------------------------------------
// The report: the console output as usual, the CPU times kept by name for the closing table.

class CReportCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      Figures& figures = m_figures[run.run_name.function_name];
      if (run.run_type == Run::RT_Aggregate) {
        // With only the aggregates reported, their median stands for the runs.
        if (run.aggregate_name == "median") {
          figures.dMedianNs = run.GetAdjustedCPUTime() * Nanoseconds(run.time_unit);
          figures.nRepetitions = static_cast<size_t>(run.repetitions);
          auto it = run.counters.find("allocs");
          if (it != run.counters.end()) figures.dAllocs = std::max(figures.dAllocs, it->second.value);
        }
        continue;
      }
      figures.cpuNs.push_back(run.GetAdjustedCPUTime() * Nanoseconds(run.time_unit));
      auto it = run.counters.find("allocs");
      if (it != run.counters.end()) figures.dAllocs = std::max(figures.dAllocs, it->second.value);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // The median CPU time per iteration in nanoseconds; 0 when the benchmark did not run.
  double Ns(const std::string& strName) const {
    auto it = m_figures.find(strName);
    if (it == m_figures.end()) return 0.0;
    if (it->second.cpuNs.empty()) return it->second.dMedianNs;
    std::vector<double> times = it->second.cpuNs;
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  }
  double Allocs(const std::string& strName) const {
    auto it = m_figures.find(strName);
    return it == m_figures.end() ? 0.0 : it->second.dAllocs;
  }
  size_t Repetitions(const std::string& strName) const {
    auto it = m_figures.find(strName);
    if (it == m_figures.end()) return 0;
    return it->second.cpuNs.empty() ? it->second.nRepetitions : it->second.cpuNs.size();
  }

 private:
  static double Nanoseconds(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1.0;
    }
  }
  struct Figures {
    std::vector<double> cpuNs;
    double dMedianNs = 0.0;
    size_t nRepetitions = 0;
    double dAllocs = 0.0;
  };
  std::map<std::string, Figures> m_figures;
};

const char* Verdict(bool bMet) { return bMet ? "met" : "NOT MET"; }

double MBps(uint64_t nBytes, double dNs) { return dNs > 0 ? nBytes / 1e6 / (dNs / 1e9) : 0.0; }

void PrintReport(const CReportCollector& results, const FreshFigures& fresh) {
  const MemoryFigures& memory = fresh.create;
  const CBenchData& data = CBenchData::Get();
  char szDate[32];
  time_t now = time(nullptr);
  strftime(szDate, sizeof(szDate), "%Y-%m-%d", localtime(&now));
  uint64_t nBytes = data.CreateBytes();
  double dCreateNs = results.Ns("Create");
  double dReleaseNs = results.Ns("Release");
  double dCreate = MBps(nBytes, dCreateNs);
  double dRead = MBps(nBytes, results.Ns("Floor/read"));
  double dScan = MBps(nBytes, results.Ns("Floor/read+scan"));
  double dWide = MBps(nBytes, results.Ns("Floor/read+wide-count"));
  printf("\n## Kestrin load and query figures\n\n");
  printf("Scale %d data set: %.1f MB in the %zu files Create reads. %s, %u CPU(s). CPU time of\n"
         "the benchmark thread, median of %zu run(s); the machine may be shared.\n\n",
         data.Scale(), nBytes / 1e6, data.CreateFiles().size(), szDate,
         std::thread::hardware_concurrency(), results.Repetitions("Create"));
  printf("| Figure | Measured | Target | |\n|---|---|---|---|\n");
  printf("| Floor: read the files, one read each | %.0f MB/s | | |\n", dRead);
  printf("| Floor: read + one pass over every byte, counting line feeds | %.0f MB/s | | |\n", dScan);
  printf("| (read + the same count vectorised by the compiler) | %.0f MB/s | | |\n", dWide);
  printf("| Create, warm process | %.0f MB/s (%.0f ms) | | |\n", dCreate, dCreateNs / 1e6);
  printf("| Create / floor | %.2f (%.2f of the vectorised count) | >= 0.33 | %s |\n",
         dScan > 0 ? dCreate / dScan : 0.0, dWide > 0 ? dCreate / dWide : 0.0,
         Verdict(dScan > 0 && dCreate * 3 >= dScan));
  double dStraight = MBps(nBytes, results.Ns("Straightforward"));
  printf("| Straightforward port (stdio + std::map, StraightPort.cpp), this run | %.0f MB/s | | |\n",
         dStraight);
  printf("| Create / straightforward port of this run | %.1fx | >= 10x | %s |\n",
         dStraight > 0 ? dCreate / dStraight : 0.0, Verdict(dStraight > 0 && dCreate >= 10 * dStraight));
  printf("| (Create / the port's %.0f MB/s on the machine where the targets were set) | %.1fx | | |\n",
         PORT_MB_PER_S, dCreate / PORT_MB_PER_S);
  // The client's one load: the first Create of a fresh process, a process per sample.
  double dPageSized = nBytes / 4096.0;
  if (memory.bMeasured && fresh.straight.bMeasured) {
    double dFresh = MBps(nBytes, memory.dCreateMs * 1e6);
    double dFreshStraight = MBps(nBytes, fresh.straight.dCreateMs * 1e6);
    printf("| Create, fresh process (CPU time, a process per sample) | %.0f MB/s (%.0f ms, %.0f ms of it system) | | |\n",
           dFresh, memory.dCreateMs, memory.dSystemMs);
    printf("| Straightforward port, fresh process | %.0f MB/s (%.0f ms) | | |\n", dFreshStraight,
           fresh.straight.dCreateMs);
    printf("| Fresh Create / fresh straightforward port | %.1fx | >= 10x | %s |\n",
           dFreshStraight > 0 ? dFresh / dFreshStraight : 0.0,
           Verdict(dFreshStraight > 0 && dFresh >= 10 * dFreshStraight));
    printf("| Page faults of a fresh Create | %" PRIu64 " = %.2fx the data's %.0f pages of 4 KiB | <= 1x | %s |\n",
           memory.nFaults, memory.nFaults / dPageSized, dPageSized,
           Verdict(memory.nFaults <= dPageSized));
  }
  printf("| Instructions per input byte (scripts/callgrind-load.sh) | counted by callgrind | <= 10, <= 20 per loader | |\n");
  printf("| Release (destroy a loaded service) | %.1f ms = %.3f of Create | < 0.1 | %s |\n",
         dReleaseNs / 1e6, dCreateNs > 0 ? dReleaseNs / dCreateNs : 0.0,
         Verdict(dReleaseNs * 10 < dCreateNs));
  printf("| Decipher | %.0f MB/s | | |\n",
         MBps(FileBytes(data.Folder() / "ini/GameMap.dat"), results.Ns("Decipher")));
  if (memory.bMeasured) {
    printf("| Peak memory of Create | %.1f MB = %.2fx the %.1f MB on disk (%.1f MB kept) | <= 1.5x | %s |\n",
           memory.nPeakBytes / 1e6, static_cast<double>(memory.nPeakBytes) / nBytes, nBytes / 1e6,
           memory.nKeptBytes / 1e6, Verdict(memory.nPeakBytes * 2 <= 3 * nBytes));
  } else {
    printf("| Peak memory of Create | not measured on this system | <= 1.5x | |\n");
  }
  double dWorstSingle = 0.0, dWorstMix = 0.0, dWorstMiss = 0.0, dMostAllocs = 0.0;
  std::string strWorstSingle;
  for (const auto& [strName, kind] : QueryKinds()) {
    double dNs = results.Ns(strName);
    dMostAllocs = std::max(dMostAllocs, results.Allocs(strName));
    if (kind == SINGLE_KEY && dNs > dWorstSingle) {
      dWorstSingle = dNs;
      strWorstSingle = strName;
    }
    if (kind == EFFECT_MIX) dWorstMix = std::max(dWorstMix, dNs);
    if (kind == EFFECT_MISS) dWorstMiss = std::max(dWorstMiss, dNs);
  }
  printf("| Single-key queries, slowest (%s) | %.1f ns | <= 50 ns | %s |\n", strWorstSingle.c_str(),
         dWorstSingle, Verdict(dWorstSingle <= 50));
  printf("| Eight-try effect query, realistic mix | %.1f ns | <= 150 ns | %s |\n", dWorstMix,
         Verdict(dWorstMix <= 150));
  printf("| Eight-try effect query, miss | %.1f ns | <= 400 ns | %s |\n", dWorstMiss,
         Verdict(dWorstMiss <= 400));
  printf("| Allocations per query, most of any query | %.3f | 0 | %s |\n", dMostAllocs,
         Verdict(dMostAllocs == 0));
  printf("\n| Loader alone | MB | ms | MB/s | fresh process: ms | page faults | per 4 KiB of data | peak MB | kept MB |\n"
         "|---|---|---|---|---|---|---|---|---|\n");
  for (size_t i = 0; i < Loaders().size(); ++i) {
    const Loader& loader = Loaders()[i];
    double dNs = results.Ns(std::string("Load/") + loader.pszName);
    uint64_t nLoaderBytes = data.LoaderBytes(loader);
    printf("| %s | %.1f | %.1f | %.0f |", loader.pszName, nLoaderBytes / 1e6, dNs / 1e6,
           MBps(nLoaderBytes, dNs));
    const MemoryFigures* pFresh = i < fresh.loaders.size() ? &fresh.loaders[i] : nullptr;
    if (pFresh != nullptr && pFresh->bMeasured) {
      printf(" %.1f | %" PRIu64 " | %.2f | %.1f | %.1f |\n", pFresh->dCreateMs, pFresh->nFaults,
             nLoaderBytes > 0 ? pFresh->nFaults / (nLoaderBytes / 4096.0) : 0.0,
             pFresh->nPeakBytes / 1e6, pFresh->nKeptBytes / 1e6);
    } else {
      printf(" | | | | |\n");
    }
  }
  printf("\n| Query (over %zu keys spread across the table) | ns | allocations |\n|---|---|---|\n",
         KEYS);
  for (const auto& [strName, kind] : QueryKinds()) {
    printf("| %s | %.1f | %.0f |\n", strName.c_str(), results.Ns(strName), results.Allocs(strName));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && (strcmp(argv[1], MEMORY_PROBE) == 0 || strcmp(argv[1], STRAIGHT_PROBE) == 0)) {
    return RunProbe(argv[1], argv[2]);
  }
  CBenchData& data = CBenchData::Get();
  if (!data.Ready()) return 1;
  const char* pszSamples = getenv("KESTRIN_BENCH_FRESH_SAMPLES");
  int nSamples = pszSamples != nullptr ? atoi(pszSamples) : 5;
  FreshFigures fresh = MeasureFresh(data, nSamples > 0 ? static_cast<size_t>(nSamples) : 1);
  if (!CheckAnswers(data.Shape())) return 1;

  benchmark::RegisterBenchmark("Floor/read", [](benchmark::State& s) { FloorRead(s, READ_ONLY); })
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Floor/read+scan", [](benchmark::State& s) { FloorRead(s, BYTE_PASS); })
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Floor/read+wide-count",
                               [](benchmark::State& s) { FloorRead(s, WIDE_PASS); })
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Straightforward", BM_Straightforward)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Create", BM_Create)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Release", BM_Release)->Unit(benchmark::kMillisecond);
  for (const Loader& loader : Loaders()) {
    benchmark::RegisterBenchmark((std::string("Load/") + loader.pszName).c_str(),
                                 [&loader](benchmark::State& state) {
                                   const CBenchData& d = CBenchData::Get();
                                   TimeCreate(state, d.SoloFolder(loader), d.LoaderBytes(loader));
                                 })
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("Decipher", BM_Decipher)->Unit(benchmark::kMicrosecond);
  RegisterQueries(data.Shape());

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  CReportCollector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  RoleBaseDataDestroy();
  PrintReport(reporter, fresh);
  benchmark::Shutdown();
  return 0;
}
