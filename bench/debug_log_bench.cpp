// The cost of a debug log record: each record on its own (the day's file opened and closed for
// it, as between loads) and records within a load (the file kept open, each record flushed),
// and a whole Create whose word table rejects 100,000 words, one record each.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "DebugLog.h"
#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder, entered for the benchmark's duration.
class EnteredFolder {
 public:
  EnteredFolder() {
    std::random_device random;
    m_path = fs::temp_directory_path() / ("kestrin-log-" + std::to_string(random()));
    fs::create_directories(m_path / "ini");
    m_previous = fs::current_path();
    fs::current_path(m_path);
  }
  ~EnteredFolder() {
    fs::current_path(m_previous);
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  // Drops the log written so far, so that the disk holds one run's records at a time.
  void DropLog() {
    std::error_code ec;
    fs::remove_all(m_path / "debug", ec);
  }

 private:
  fs::path m_path;
  fs::path m_previous;
};

// Distinct messages (the repeat filter lets each through), 1000 per iteration.
void LogRecords(benchmark::State& state, bool bInBatch) {
  EnteredFolder folder;
  long nMessage = 0;
  for (auto _ : state) {
    ZorGameBase::CLogBatch* pBatch = bInBatch ? new ZorGameBase::CLogBatch() : nullptr;
    for (int i = 0; i < 1000; ++i) {
      ZorGameBase::DebugLog("invalid line [bad_word_%ld] found in ini/Action3DEffect.ini.",
                            nMessage++);
    }
    delete pBatch;
    state.PauseTiming();
    folder.DropLog();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

void LogRecordsOneByOne(benchmark::State& state) { LogRecords(state, false); }
void LogRecordsInALoad(benchmark::State& state) { LogRecords(state, true); }

void CreateWithRejectedWords(benchmark::State& state) {
  EnteredFolder folder;
  {
    std::ofstream out("ini/Action3DEffect.ini", std::ios::binary);
    for (int64_t i = 0; i < state.range(0); ++i) out << "bad" << i << "\n";
  }
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  for (auto _ : state) {
    benchmark::DoNotOptimize(pData->Create());
    state.PauseTiming();
    folder.DropLog();
    state.ResumeTiming();
  }
  RoleBaseDataDestroy();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(LogRecordsOneByOne)->Unit(benchmark::kMillisecond);
BENCHMARK(LogRecordsInALoad)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateWithRejectedWords)->Arg(100000)->Unit(benchmark::kMillisecond);
