// One keystroke on page 4 refreshes the current AI's derived fields and the
// preview: it must stay well under a millisecond with 1,000 chosen AIs and grow
// linearly with their number.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/GlobalValues.h"
#include "ids/DerivedFields.h"
#include "ids/FormulaComposer.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"
#include "ids/IdTable.h"
#include "wizard/AiFinder.h"
#include "wizard/FMain.h"
#include "wizard/SymbolPreview.h"

namespace {

namespace fs = std::filesystem;

// A catalogue of four AIs of different kinds, written once.
void LoadSmallCatalogue() {
  static const fs::path dir = [] {
    const fs::path d = fs::temp_directory_path() / "velmora-bench-catalogue";
    fs::create_directories(d);
    std::ofstream(d / "ID128.inf", std::ios::binary)
        << "[ID128]\r\nid0_number=01\r\nid0_Flags=5\r\nid0_Length=14\r\nid0_numerical=-1\r\nid0_FixedLength=-1\r\n"
           "id1_number=10\r\nid1_Flags=0\r\nid1_Length=20\r\nid1_numerical=0\r\nid1_FixedLength=0\r\n"
           "id2_number=310\r\nid2_Flags=2\r\nid2_Length=6\r\nid2_numerical=-1\r\nid2_FixedLength=-1\r\n"
           "id3_number=37\r\nid3_Flags=0\r\nid3_Length=8\r\nid3_numerical=-1\r\nid3_FixedLength=0\r\n";
    fs::copy_file(fs::path(VELMORA_DATA_DIR) / "gs1-syntax-dictionary.txt", d / "gs1-syntax-dictionary.txt",
                  fs::copy_options::overwrite_existing);
    std::ofstream(d / "cn128A.INF", std::ios::binary)
        << "[Country]\r\nid0_name=GTIN\r\nid1_name=Batch\r\nid2_name=Net weight\r\nid3_name=Count\r\n";
    return d;
  }();
  velmora::Globals().DataDir = dir.string() + "/";
  velmora::Globals().PageTextFile = (dir / "cn128A.INF").string();
  velmora::LoadIdCatalogue();
}

void FillTable(int count) {
  using namespace velmora;
  ResetHistory();
  LoadSmallCatalogue();
  for (int i = 0; i < count; ++i) {
    AddIdRecord();
    History().CurrentId = static_cast<std::int16_t>(i);
    IdRecord& r = History().IdTable(History().CurrentId);
    FillRecordFromCatalogue(r, static_cast<std::int16_t>(i % 4));
    r.Choice[0] = 1;
    if (i % 5 == 4) {
      r.IsFixed = 0;
      r.VarData = "VAR" + std::to_string(i);
    } else {
      r.FixData = "12345";
    }
    UpdateCurrentId();
  }
}

void BM_Keystroke(benchmark::State& state) {
  FillTable(static_cast<int>(state.range(0)));
  velmora::IdRecord& current = velmora::History().IdTable(velmora::History().CurrentId);
  for (auto _ : state) {
    current.FixData = "1234";  // the text box's new content
    velmora::UpdateCurrentId();
    benchmark::DoNotOptimize(velmora::ComposeReadableText());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Keystroke)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

// The same keystroke with the symbol band refreshed too: the barcode formula
// evaluated, split, checked against GS1's rules and encoded (the paint aside).
// Target: under 2 ms with 20 AIs, growing linearly.
void BM_KeystrokeWithSymbol(benchmark::State& state) {
  FillTable(static_cast<int>(state.range(0)));
  const velmora::symbol::Gs1Data gs1 = velmora::symbol::LoadGs1Data(velmora::Globals().DataDir);
  velmora::IdRecord& current = velmora::History().IdTable(velmora::History().CurrentId);
  for (auto _ : state) {
    current.FixData = "1234";
    velmora::UpdateCurrentId();
    benchmark::DoNotOptimize(velmora::ComposeReadableText());
    benchmark::DoNotOptimize(velmora::ComputeSymbolPreview(velmora::ChosenAisOfTable(), gs1, {}));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_KeystrokeWithSymbol)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// A keystroke in page 0's search box: the query folded and matched against
// every AI of the shipped catalogue (276) by number and English name.
// Target: under 1 ms.
void BM_SearchKeystroke(benchmark::State& state) {
  std::ifstream numbers(fs::path(VELMORA_DATA_DIR) / "ID128.inf");
  std::ifstream names(fs::path(VELMORA_DATA_DIR) / "cn128A.INF");
  std::vector<velmora::FindableAi> entries;
  for (std::string line; std::getline(numbers, line);) {
    if (line.find("_number=") != std::string::npos) entries.push_back({line.substr(line.find('=') + 1), false, ""});
  }
  for (std::string line; std::getline(names, line);) {
    const std::size_t at = line.find("_name=");
    if (!line.starts_with("id") || at == std::string::npos) continue;
    const std::size_t n = std::stoul(line.substr(2, at - 2));
    if (n < entries.size()) entries[n].name = line.substr(at + 6);
  }
  const std::string query = "best before da";
  std::size_t typed = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(velmora::FindAis(query.substr(0, typed), entries));
    typed = typed % query.size() + 1;  // every prefix in turn, as the user types
  }
  state.counters["AIs"] = static_cast<double>(entries.size());
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
