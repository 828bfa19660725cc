// The barcode core on the worked example: evaluate the template's formula, split
// the data into AIs, check it against GS1's rules, encode it. Target: well under
// a millisecond for all four.
#include <benchmark/benchmark.h>

#include "symbol/Analysis.h"
#include "symbol/DigitalLink.h"
#include "symbol/Formula.h"
#include "symbol/ScanBack.h"
#include "symbol/ZintSymbol.h"

namespace {

using namespace velmora::symbol;

const Gs1Data& Data() {
  static const Gs1Data data = LoadGs1Data(VELMORA_DATA_DIR);
  return data;
}

const char* const kFormula = R"f("{CODE C}{FNC1}010000001234567" & Modulo10("0000001234567") & "{CODE B}10" & LOT)f";

void BM_EvaluateSplitCheckEncode(benchmark::State& state) {
  const Formula formula = Formula::Parse(kFormula);
  const VariableValues values = {{"LOT", "ABC123"}};
  for (auto _ : state) {
    const Analysis analysis = AnalyseBarcodeData(formula.Evaluate(values), Data());
    benchmark::DoNotOptimize(EncodeGs1_128(analysis.elements));
  }
}
BENCHMARK(BM_EvaluateSplitCheckEncode)->Unit(benchmark::kMicrosecond);

void BM_ParseFormula(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Formula::Parse(kFormula));
}
BENCHMARK(BM_ParseFormula)->Unit(benchmark::kMicrosecond);

// An element string to its GS1 Digital Link URI and back, checked again.
void BM_DigitalLinkRoundTrip(benchmark::State& state) {
  const Elements elements = ParseElementString("(01)09506000134352(22)2A(10)ABC/123(21)S 1(17)271231(3103)000500");
  for (auto _ : state) {
    const std::string uri = MakeDigitalLink(elements, Data().dictionary);
    benchmark::DoNotOptimize(AnalyseDigitalLink(uri, Data()));
  }
}
BENCHMARK(BM_DigitalLinkRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_EncodeGs1DataMatrix(benchmark::State& state) {
  const Elements elements = ParseElementString("(01)09506000134352(17)271231(10)ABC123");
  for (auto _ : state) benchmark::DoNotOptimize(EncodeMatrix(SymbolKind::Gs1DataMatrix, elements, ""));
}
BENCHMARK(BM_EncodeGs1DataMatrix)->Unit(benchmark::kMicrosecond);

void BM_CheckElementString(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(AnalyseElementString("(01)00000012345670(17)261231(10)ABC123(3103)000500", Data()));
  }
}
BENCHMARK(BM_CheckElementString)->Unit(benchmark::kMicrosecond);

void BM_ScanBack(benchmark::State& state) {
  const EncodedSymbol symbol = EncodeGs1_128(ParseElementString("(01)00000012345670(10)ABC123"));
  const GreyImage image = RenderForScan(symbol);
  for (auto _ : state) benchmark::DoNotOptimize(VerifyScan(image, symbol.elements, Data().dictionary));
}
BENCHMARK(BM_ScanBack)->Unit(benchmark::kMicrosecond);

// What every command that checks pays before its first label: the shipped GS1 tables.
void BM_LoadGs1Data(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LoadGs1Data(VELMORA_DATA_DIR));
}
BENCHMARK(BM_LoadGs1Data)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
