// A word table (ini/Action3DEffect.ini) whose text is one long run without white space: the
// load reads the run as words of 1023 characters, in a time that grows with the run's length
// alone. Runs of 1, 4 and 20 MB; the figure to watch is the time per MB staying flat.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {

void LongRunLoad(benchmark::State& state) {
  std::random_device random;
  fs::path folder = fs::temp_directory_path() / ("kestrin-words-" + std::to_string(random()));
  fs::create_directories(folder / "ini");
  {
    std::ofstream out(folder / "ini/Action3DEffect.ini", std::ios::binary);
    out << "1.2.3.4=fx\n" << std::string(static_cast<size_t>(state.range(0)) << 20, 'x') << "\n";
  }
  fs::path previous = fs::current_path();
  fs::current_path(folder);
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  for (auto _ : state) benchmark::DoNotOptimize(pData->Create());
  if (pData->GetAction3DEffect(1, 2, 3, 4) == nullptr) state.SkipWithError("the table is empty");
  RoleBaseDataDestroy();
  fs::current_path(previous);
  fs::remove_all(folder);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (state.range(0) << 20));
}

}  // namespace

BENCHMARK(LongRunLoad)->Arg(1)->Arg(4)->Arg(20)->Unit(benchmark::kMillisecond);
