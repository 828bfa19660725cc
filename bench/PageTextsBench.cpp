// Reading page texts must parse the page text file once, however many texts
// are read: a page build reads dozens of keys.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/GlobalValues.h"
#include "platform/profile/ProfileCache.h"
#include "settings/MGlobal.h"

namespace {

std::string WritePageTextFile(int entries) {
  const auto path = std::filesystem::temp_directory_path() / "velmora-bench-cn128A.INF";
  std::ofstream out(path, std::ios::binary);
  out << "[Format]\r\nTypeFile=country128\r\n[Country]\r\n";
  for (int i = 0; i < entries; ++i) {
    out << "id" << i << "_name=Application identifier number " << i << " with a readable title\r\n";
  }
  return path.string();
}

void BM_GetCnyPageTexts(benchmark::State& state) {
  constexpr int kEntries = 300;
  constexpr int kReads = 2000;
  velmora::Globals().PageTextFile = WritePageTextFile(kEntries);
  const std::uint64_t parsesBefore = velmora::ProfileParses();
  for (auto _ : state) {
    for (int i = 0; i < kReads; ++i) {
      benchmark::DoNotOptimize(velmora::GetCny("id" + std::to_string(i % kEntries) + "_name"));
    }
  }
  state.counters["parses"] = static_cast<double>(velmora::ProfileParses() - parsesBefore);
  state.counters["per_read"] = benchmark::Counter(static_cast<double>(state.iterations()) * kReads,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  std::filesystem::remove(velmora::Globals().PageTextFile);
}
BENCHMARK(BM_GetCnyPageTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
