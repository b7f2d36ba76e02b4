// Role traces: loading ini/RoleTrace.ini through Create, and the exact-then-999 query over
// tables of a few hundred to a few thousand records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {

// A working folder holding only ini/RoleTrace.ini of nRecords lines; entered while it lives.
class TraceFolder {
 public:
  explicit TraceFolder(int nRecords) {
    std::random_device random;
    m_previous = fs::current_path();
    m_path = fs::temp_directory_path() / ("kestrin-trace-bench-" + std::to_string(random()));
    fs::create_directories(m_path / "ini");
    fs::current_path(m_path);
    std::ofstream out("ini/RoleTrace.ini", std::ios::binary);
    for (int i = 0; i < nRecords; ++i) {
      int64_t nKey = (1 + i / 100) * 10000000LL + (i % 100) * 10000LL + 3;
      out << nKey << " " << i << " 20 30 40 0.5\r\n";
    }
  }
  ~TraceFolder() {
    fs::current_path(m_previous);
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  int64_t Bytes() const {
    return static_cast<int64_t>(fs::file_size(m_path / "ini/RoleTrace.ini"));
  }

 private:
  fs::path m_previous;
  fs::path m_path;
};

void BM_CreateRoleTraces(benchmark::State& state) {
  TraceFolder folder(static_cast<int>(state.range(0)));
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  for (auto _ : state) benchmark::DoNotOptimize(pData->Create());
  state.SetBytesProcessed(state.iterations() * folder.Bytes());
  RoleBaseDataDestroy();
}
BENCHMARK(BM_CreateRoleTraces)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Keys cycle over an exact hit in the middle of the table, a 999 fallback and a miss.
void BM_GetRoleTraceInfo(benchmark::State& state) {
  int nRecords = static_cast<int>(state.range(0));
  TraceFolder folder(nRecords);
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  pData->Create();
  int64_t nMiddle = (1 + nRecords / 200) * 10000000LL + ((nRecords / 2) % 100) * 10000LL + 3;
  const int64_t anKeys[] = {nMiddle, 10050004, 10990003};
  size_t n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(pData->GetRoleTraceInfo(anKeys[n++ % 3]));
  RoleBaseDataDestroy();
}
BENCHMARK(BM_GetRoleTraceInfo)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
