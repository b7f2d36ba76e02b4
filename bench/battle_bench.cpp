// Battle position and camera lookups over a loaded service (each should take well under 50 ns
// and allocate nothing: the "allocs" counter counts operator new per lookup), and the
// ini/BattleMap.ini reader's speed over a large text.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <string>

#include "BattleTables.h"
#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {
std::atomic<long> g_nAllocs{0};
}  // namespace

// Counting replacements of the global allocation functions; GCC takes the pairing of the
// replaced new with free for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(size_t nSize) {
  ++g_nAllocs;
  if (void* p = std::malloc(nSize == 0 ? 1 : nSize)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

const int MAP_COUNT = 300;
const int GROUP_COUNT = 6;
const int POS_COUNT = 8;
const int VIEW_COUNT = 16;  // view positions are few: one per camera view, not per map

// MAP_COUNT maps numbered 1000 upwards (no map 0), each with GROUP_COUNT groups of POS_COUNT
// fighter positions, torches and start positions; VIEW_COUNT view positions.
std::string BattleMapText() {
  std::string strText;
  for (int nMap = 0; nMap < MAP_COUNT; ++nMap) {
    strText += "[" + std::to_string(1000 + nMap) + "]\nCenterWorld=3200 2400\nCenterCell=50 38\n"
               "UpArrayCellpos=46 34\nDownArrayCellpos=54 42\nMaxScale=384\nRotaryAngle=45\n"
               "CameraTime=1500\n";
    for (int nGroup = 1; nGroup <= GROUP_COUNT; ++nGroup) {
      for (int nPos = 0; nPos < POS_COUNT; ++nPos) {
        strText += "FighterPos" + std::to_string(nGroup) + "=" + std::to_string(nGroup) + " " +
                   std::to_string(nPos) + " 45 33 0 0 0 0 ; fighter\n";
      }
      if (nGroup > 1) strText += "Torch" + std::to_string(nGroup - 1) + "=44 32 48 36\n";
      strText += "StartPos=" + std::to_string(nGroup) + " 0 46 34 0\n";
    }
    if (nMap < VIEW_COUNT) strText += "ViewPos=" + std::to_string(nMap) + " 0 3200 2400 256 -30\n";
  }
  return strText + "[1]\nEye=0 -600 520\nTo=0 0 0\nViewStartPos=3200 2400 256 -90\n";
}

// A service loaded from a folder of its own, left again once loaded.
class LoadedService {
 public:
  LoadedService() {
    fs::path previous = fs::current_path();
    m_folder = fs::temp_directory_path() /
               ("kestrin-battle-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(m_folder / "ini");
    fs::current_path(m_folder);
    std::ofstream("ini/BattleMap.ini") << BattleMapText();
    std::ofstream offsets("ini/FighterPosOffset.ini");
    for (int i = 0; i < 500; ++i) offsets << i << " " << i << " " << -i << "\n";
    offsets.close();
    std::ofstream("ini/CameraTrack.ini") << "intro intro.trk 1\noutro outro.trk 2\n";
    std::ofstream("intro.trk", std::ios::binary) << std::string("\x02\0\0\0", 4) << std::string(64, 'f');
    m_pData = RoleBaseDataQuery();
    m_pData->Create();
    m_pData->GetCameraTrackFrames("intro");  // read once; cached from here on
    fs::current_path(previous);
  }
  ~LoadedService() {
    RoleBaseDataDestroy();
    std::error_code ec;
    fs::remove_all(m_folder, ec);
  }
  I3DRoleBaseData* m_pData = nullptr;
  fs::path m_folder;
};

I3DRoleBaseData* Service() {
  static LoadedService s_service;
  return s_service.m_pData;
}

// Runs the lookup over a spread of map numbers and reports operator new calls per lookup.
template <typename Lookup>
void RunLookup(benchmark::State& state, Lookup lookup) {
  I3DRoleBaseData* pData = Service();
  uint32_t nMap = 0;
  long nAllocsBefore = g_nAllocs;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lookup(pData, 1000 + nMap));
    nMap = nMap + 37 < MAP_COUNT ? nMap + 37 : nMap + 37 - MAP_COUNT;
  }
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(g_nAllocs - nAllocsBefore),
                                                benchmark::Counter::kAvgIterations);
}

void BM_GetBattlePos(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) { return p->GetBattlePos(n, 0); });
}
void BM_GetBattleMapInfo(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) { return p->GetBattleMapInfo(n); });
}
void BM_GetBattleCameraTime(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) { return p->GetBattleCameraTime(n); });
}
// Group 5 of 6: the search walks most of the map's groups.
void BM_GetBattleTorch1(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) { return p->GetBattleTorch1(n, 5); });
}
// The last position of the last group.
void BM_GetFighterPos(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) {
    return p->GetFighterPos(n, GROUP_COUNT, POS_COUNT - 1, GROUP_COUNT);
  });
}
void BM_GetBattleStartPos(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) {
    return p->GetBattleStartPos(n, GROUP_COUNT, 0);
  });
}
// An unlisted map: the exact try, then map 0, also missing.
void BM_GetBattleRotaryAngleUnlisted(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) { return p->GetBattleRotaryAngle(n + 5000); });
}
void BM_GetBattleArrayCellPos(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) { return p->GetBattleArrayCellPos(n & 1); });
}
void BM_GetFighterPosOffset(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t n) { return p->GetFighterPosOffset(n - 1000); });
}
// The view position list is walked in file order: its last entry.
void BM_GetBattleViewPos(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t) {
    return p->GetBattleViewPos(VIEW_COUNT - 1, 0);
  });
}
void BM_GetCameraTrackInfo(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t) { return p->GetCameraTrackInfo("outro"); });
}
void BM_GetCameraTrackFramesCached(benchmark::State& state) {
  RunLookup(state, [](I3DRoleBaseData* p, uint32_t) { return p->GetCameraTrackFrames("intro"); });
}

// The reader alone, from memory: bytes per second of ini/BattleMap.ini text.
void BM_ReadBattleMapText(benchmark::State& state) {
  std::string strText = BattleMapText();
  for (auto _ : state) {
    BattleMapTable mapBattleMap;
    BattleViewPosList vecViewPos;
    BattleViewPos viewStartPos{};
    BattleCamera camera{};
    BattleCamera moveCamera{};
    ReadBattleMapText(strText, {mapBattleMap, vecViewPos, viewStartPos, camera, moveCamera});
    benchmark::DoNotOptimize(mapBattleMap.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strText.size()));
}

}  // namespace

BENCHMARK(BM_GetBattlePos);
BENCHMARK(BM_GetBattleMapInfo);
BENCHMARK(BM_GetBattleCameraTime);
BENCHMARK(BM_GetBattleTorch1);
BENCHMARK(BM_GetFighterPos);
BENCHMARK(BM_GetBattleStartPos);
BENCHMARK(BM_GetBattleRotaryAngleUnlisted);
BENCHMARK(BM_GetBattleArrayCellPos);
BENCHMARK(BM_GetFighterPosOffset);
BENCHMARK(BM_GetBattleViewPos);
BENCHMARK(BM_GetCameraTrackInfo);
BENCHMARK(BM_GetCameraTrackFramesCached);
BENCHMARK(BM_ReadBattleMapText);
