// The per-frame effect and sound queries over tables of realistic size, and the loads of their
// files. Each query benchmark reports allocs_per_query, counted by the replaced operator new.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {
std::atomic<uint64_t> g_nAllocations{0};
}  // namespace

// The replacements pair malloc with free; GCC cannot see that through the replaced operators.
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

// 400 looks x 25 weapons x 4 actions x 1 level = 40000 exact keys, plus 2000 wildcard keys of
// the shapes the tries use, in each effect table.
const uint32_t LOOKS = 400, WEAPONS = 25, ACTIONS = 4;
const uint32_t FIRST_LOOK = 1000, FIRST_WEAPON = 400, FIRST_ACTION = 100;
const uint32_t SOUND_SECTIONS = 20000;

struct EffectQuery {
  uint32_t a, b, c, d;
};

// The data set, written once into a temporary folder and loaded through the module.
class DataSet {
 public:
  static DataSet& Get() {
    static DataSet s_data;
    return s_data;
  }

  I3DRoleBaseData* m_pData = nullptr;
  std::vector<EffectQuery> m_firstTry, m_lateTry, m_misses, m_mix;
  std::vector<std::string> m_singleFile, m_multiFile, m_unknown;
  uint64_t m_nEffectBytes = 0, m_nSoundBytes = 0;

 private:
  DataSet() {
    std::string strFolder = (fs::temp_directory_path() / "kestrin-bench-XXXXXX").string();
    if (mkdtemp(strFolder.data()) == nullptr) abort();
    m_previous = fs::current_path();
    m_folder = strFolder;
    fs::current_path(m_folder);
    fs::create_directories("ini");
    WriteEffects("ini/RoleWeapon3DEffect.ini", "fx_weapon_");
    WriteEffects("ini/Action3DEffect.ini", "fx_action_");
    WriteSounds();
    m_pData = RoleBaseDataQuery();
    m_pData->Create();
    MakeQueries();
  }
  ~DataSet() {
    RoleBaseDataDestroy();
    std::error_code ec;
    fs::current_path(m_previous, ec);
    fs::remove_all(m_folder, ec);
  }

  fs::path m_previous, m_folder;

  void WriteEffects(const char* pszPath, const std::string& strPrefix) {
    std::ofstream out(pszPath);
    for (uint32_t a = 0; a < LOOKS; ++a) {
      for (uint32_t b = 0; b < WEAPONS; ++b) {
        for (uint32_t c = 0; c < ACTIONS; ++c) {
          out << FIRST_LOOK + a << '.' << FIRST_WEAPON + b << '.' << FIRST_ACTION + c << ".1="
              << strPrefix << a << '_' << b << '_' << c << "\n";
        }
      }
    }
    // Wildcards answered by the late tries: a.b.c.999 for level 2 of every look and weapon of
    // the first action, 9999.b.c.d for the weapons of action 200.
    for (uint32_t a = 0; a < LOOKS; ++a) {
      for (uint32_t b = 0; b < 5; ++b) {
        out << FIRST_LOOK + a << '.' << FIRST_WEAPON + b << '.' << FIRST_ACTION << ".999="
            << strPrefix << "any_level_" << a << '_' << b << "\n";
      }
    }
    out.close();
    m_nEffectBytes += fs::file_size(pszPath);
  }

  void WriteSounds() {
    std::ofstream out("ini/SoundRes.ini");
    for (uint32_t i = 0; i < SOUND_SECTIONS; ++i) {
      out << "[sound_" << i << "]\n";
      for (uint32_t n = 0; n <= i % 3; ++n) out << "Sound=sound/effect_" << i << '_' << n << ".wav\n";
    }
    out.close();
    m_nSoundBytes = fs::file_size("ini/SoundRes.ini");
  }

  void MakeQueries() {
    std::mt19937 engine(7);
    auto random = [&engine]() { return static_cast<uint32_t>(engine()); };
    for (int i = 0; i < 4096; ++i) {
      uint32_t a = FIRST_LOOK + random() % LOOKS, b = FIRST_WEAPON + random() % WEAPONS;
      uint32_t c = FIRST_ACTION + random() % ACTIONS;
      m_firstTry.push_back({a, b, c, 1});
      m_lateTry.push_back({a, FIRST_WEAPON + random() % 5, FIRST_ACTION, 2});  // try 8
      m_misses.push_back({a, b, c + 1000, 3});
    }
    // The mix a frame sees: most effects are listed exactly, some fall back, some are absent.
    for (int i = 0; i < 4096; ++i) {
      uint32_t nKind = random() % 10;
      const std::vector<EffectQuery>& from =
          nKind < 6 ? m_firstTry : (nKind < 8 ? m_lateTry : m_misses);
      m_mix.push_back(from[random() % from.size()]);
    }
    for (int i = 0; i < 4096; ++i) {
      uint32_t n = random() % SOUND_SECTIONS;
      m_singleFile.push_back("sound_" + std::to_string(n - n % 3));
      m_multiFile.push_back("sound_" + std::to_string(n - n % 3 + 2 < SOUND_SECTIONS ? n - n % 3 + 2 : 2));
      m_unknown.push_back("sound/unlisted_" + std::to_string(n) + ".wav");
    }
  }
};

// Runs the query over the rows, one per iteration, and reports allocations per query.
template <typename Rows, typename Query>
void RunQueries(benchmark::State& state, const Rows& rows, Query query) {
  size_t i = 0;
  uint64_t nBefore = g_nAllocations.load();
  for (auto _ : state) {
    benchmark::DoNotOptimize(query(rows[i]));
    i = (i + 1) & (rows.size() - 1);
  }
  state.counters["allocs_per_query"] = benchmark::Counter(
      static_cast<double>(g_nAllocations.load() - nBefore) / static_cast<double>(state.iterations()));
}

void BM_EffectFirstTryHit(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  RunQueries(state, data.m_firstTry, [&](const EffectQuery& q) {
    return data.m_pData->GetRoleWeapon3DEffect(q.a, q.b, q.c, q.d);
  });
}
BENCHMARK(BM_EffectFirstTryHit);

void BM_EffectLateTryHit(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  RunQueries(state, data.m_lateTry, [&](const EffectQuery& q) {
    return data.m_pData->GetRoleWeapon3DEffect(q.a, q.b, q.c, q.d);
  });
}
BENCHMARK(BM_EffectLateTryHit);

void BM_EffectMiss(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  RunQueries(state, data.m_misses, [&](const EffectQuery& q) {
    return data.m_pData->GetAction3DEffect(q.a, q.b, q.c, q.d);
  });
}
BENCHMARK(BM_EffectMiss);

void BM_EffectRealisticMix(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  RunQueries(state, data.m_mix, [&](const EffectQuery& q) {
    return data.m_pData->GetAction3DEffect(q.a, q.b, q.c, q.d);
  });
}
BENCHMARK(BM_EffectRealisticMix);

void BM_SoundFileSingle(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  RunQueries(state, data.m_singleFile,
             [&](const std::string& strName) { return data.m_pData->GetSoundFile(strName.c_str()); });
}
BENCHMARK(BM_SoundFileSingle);

void BM_SoundFileRandomPick(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  RunQueries(state, data.m_multiFile,
             [&](const std::string& strName) { return data.m_pData->GetSoundFile(strName.c_str()); });
}
BENCHMARK(BM_SoundFileRandomPick);

void BM_SoundFileUnlisted(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  RunQueries(state, data.m_unknown,
             [&](const std::string& strName) { return data.m_pData->GetSoundFile(strName.c_str()); });
}
BENCHMARK(BM_SoundFileUnlisted);

// Create with the two effect files and the sound resources present (the other tables absent).
void BM_CreateEffectAndSoundTables(benchmark::State& state) {
  DataSet& data = DataSet::Get();
  for (auto _ : state) {
    RoleBaseDataDestroy();
    data.m_pData = RoleBaseDataQuery();
    benchmark::DoNotOptimize(data.m_pData->Create());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(data.m_nEffectBytes + data.m_nSoundBytes));
}
BENCHMARK(BM_CreateEffectAndSoundTables)->Unit(benchmark::kMillisecond);

}  // namespace
