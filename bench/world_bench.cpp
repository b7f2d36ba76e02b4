// World map tables: the single-key queries (target: at most 50 ns, no allocation) and the
// readers' throughput, over generated tables of realistic size.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "DatCipher.h"
#include "I3DRoleBaseData.h"
#include "WorldReaders.h"
#include "ZorIni.h"

namespace fs = std::filesystem;

// Every allocation of the program is counted, so that a query that allocates shows. Kept out
// of line: inlined, the compiler would pair the heap calls against its own new and delete.
static std::atomic<uint64_t> g_nAllocations{0};
__attribute__((noinline)) void* operator new(size_t nSize) {
  g_nAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(nSize == 0 ? 1 : nSize)) return p;
  throw std::bad_alloc();
}
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

const int MAPS = 600;
const int REGIONS = 3000;
const int TERRAIN_NPCS = 800;

std::string GameMapText() {
  std::string str;
  for (int i = 0; i < MAPS; ++i) {
    str += "[" + std::to_string(1000 + i * 3) + "]\nFile=map/m" + std::to_string(i) +
           ".dmap\nPuzzleGridSize=64\nOblique=0\nLight=1\nLightDirX=0.5\nLightDirY=-1\n"
           "LightDirZ=0.5\nDiffuse=FFFFFFFF\nAmbient=FF606060\nswitch=1\ndaysound=d.wav\n"
           "nightsound=n.wav\nday=FFFFFFFF\nnightfall=FFD09070\nnight=FF5060A0\ndawn=FFE0C0B0\n"
           "jump=0\nlimit=20,40,60\n\n";
  }
  return str;
}

std::string RegionText() {
  std::string str;
  for (int i = 0; i < REGIONS; ++i) {
    str += std::to_string(i) + " " + std::to_string(1000 + i / 4) + " 0 0 0 0 0 Region_" +
           std::to_string(i) + " Area 0 0 0 0 0 0 0 0 Some_longer_text\n";
  }
  return str;
}

std::string TerrainNpcText() {
  std::string str;
  for (int i = 0; i < TERRAIN_NPCS; ++i) {
    std::string strId = std::to_string(1000 + i);
    str += "[TerrNpc" + strId + "]\nName=Npc" + strId + "\n";
    for (int d = 0; d < 8; ++d)
      str += "Dir" + std::to_string(d) + "=npc/n" + strId + "_" + std::to_string(d) + ".ani\n";
    str += "\n";
  }
  return str;
}

// The service, loaded once from generated tables in a folder of its own.
I3DRoleBaseData* Service() {
  static I3DRoleBaseData* s_pData = [] {
    fs::path folder = fs::temp_directory_path() / "kestrin-world-bench";
    fs::remove_all(folder);
    fs::create_directories(folder / "ini");
    fs::current_path(folder);
    ZorTools::WriteDatFile("ini/GameMap.dat", GameMapText());
    ZorTools::WriteDatFile("ini/TerrainNpc.dat", TerrainNpcText());
    std::ofstream("ini/region.ini", std::ios::binary) << RegionText();
    I3DRoleBaseData* pData = RoleBaseDataQuery();
    pData->Create();
    return pData;
  }();
  return s_pData;
}

// Runs the query over keys spread across the table, in a scattered order, and reports the
// allocations per query.
template <typename Query>
void RunQueries(benchmark::State& state, uint32_t nFirst, uint32_t nStep, uint32_t nCount,
                Query query) {
  I3DRoleBaseData* pData = Service();
  std::vector<uint32_t> keys(1024);
  uint32_t nRandom = 1;
  for (uint32_t& nKey : keys) {
    nRandom = nRandom * 1103515245u + 12345u;
    nKey = nFirst + (nRandom >> 8) % nCount * nStep;
  }
  size_t i = 0;
  uint64_t nBefore = g_nAllocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(query(pData, keys[i++ & 1023]));
  state.counters["allocs/query"] =
      benchmark::Counter(static_cast<double>(g_nAllocations.load() - nBefore) /
                         static_cast<double>(state.iterations()));
}

void BM_GetGameMapInfo(benchmark::State& state) {
  RunQueries(state, 1000, 3, MAPS,
             [](I3DRoleBaseData* p, uint32_t k) { return p->GetGameMapInfo(k); });
}
void BM_GetGameMapInfoAbsent(benchmark::State& state) {
  RunQueries(state, 1001, 3, MAPS,
             [](I3DRoleBaseData* p, uint32_t k) { return p->GetGameMapInfo(k); });
}
void BM_EnumerateGameMaps(benchmark::State& state) {
  I3DRoleBaseData* pData = Service();
  uint32_t nId;
  const GameMapInfo* pInfo;
  for (auto _ : state) {
    for (int32_t b = pData->GetFirstGameMapInfo(&nId, &pInfo); b;
         b = pData->GetNextGameMapInfo(&nId, &pInfo))
      benchmark::DoNotOptimize(pInfo);
  }
  state.SetItemsProcessed(state.iterations() * MAPS);
}
void BM_GetRegionInfo(benchmark::State& state) {
  RunQueries(state, 1000, 1, REGIONS / 4,
             [](I3DRoleBaseData* p, uint32_t k) { return p->GetRegionInfo(k); });
}
void BM_GetRegionName(benchmark::State& state) {
  RunQueries(state, 0, 1, REGIONS,
             [](I3DRoleBaseData* p, uint32_t k) { return p->GetRegionName(k); });
}
void BM_GetRegionNameAbsent(benchmark::State& state) {
  RunQueries(state, REGIONS, 1, REGIONS,
             [](I3DRoleBaseData* p, uint32_t k) { return p->GetRegionName(k); });
}
void BM_GetTerrainNpcInfo(benchmark::State& state) {
  RunQueries(state, 1000, 1, TERRAIN_NPCS, [](I3DRoleBaseData* p, uint32_t k) {
    return p->GetTerrainNpcInfo(static_cast<int32_t>(k));
  });
}
void BM_GetTerrainNpcInfoFallback(benchmark::State& state) {
  RunQueries(state, 1000 + TERRAIN_NPCS, 1, TERRAIN_NPCS, [](I3DRoleBaseData* p, uint32_t k) {
    return p->GetTerrainNpcInfo(static_cast<int32_t>(k));
  });
}

void BM_ReadRegionRecords(benchmark::State& state) {
  std::string strText = RegionText();
  for (auto _ : state) {
    RegionList list;
    ReadRegionRecords(strText.data(), strText.data() + strText.size(), "region.ini", list);
    benchmark::DoNotOptimize(list.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strText.size()));
}
void BM_ReadTerrainNpcRecords(benchmark::State& state) {
  std::string strText = TerrainNpcText();
  for (auto _ : state) {
    TerrainNpcList list;
    ReadTerrainNpcRecords(strText.data(), static_cast<unsigned>(strText.size()), "TerrainNpc.dat",
                          list);
    benchmark::DoNotOptimize(list.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strText.size()));
}
// Open (read and decipher) and walk, as the loader does.
void BM_LoadGameMapDat(benchmark::State& state) {
  Service();  // the folder with ini/GameMap.dat
  int64_t nBytes = static_cast<int64_t>(fs::file_size("ini/GameMap.dat"));
  for (auto _ : state) {
    ZorGameBase::CZorIni ini;
    ini.Open("ini/GameMap.dat");
    GameMapTable table;
    benchmark::DoNotOptimize(ReadGameMapSections(ini, table));
  }
  state.SetBytesProcessed(state.iterations() * nBytes);
}

}  // namespace

BENCHMARK(BM_GetGameMapInfo);
BENCHMARK(BM_GetGameMapInfoAbsent);
BENCHMARK(BM_EnumerateGameMaps);
BENCHMARK(BM_GetRegionInfo);
BENCHMARK(BM_GetRegionName);
BENCHMARK(BM_GetRegionNameAbsent);
BENCHMARK(BM_GetTerrainNpcInfo);
BENCHMARK(BM_GetTerrainNpcInfoFallback);
BENCHMARK(BM_ReadRegionRecords);
BENCHMARK(BM_ReadTerrainNpcRecords);
BENCHMARK(BM_LoadGameMapDat);
