#include "symbol/ZintSymbol.h"

#include <algorithm>
#include <memory>

#include <zint.h>

namespace velmora::symbol {
namespace {

struct ZintDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using ZintHandle = std::unique_ptr<zint_symbol, ZintDeleter>;

// Encodes; returns the handle with zint's result. The error text is set on a
// failure, and with zint's checks on also on a warning: zint reports data that
// GS1 does not allow as a warning and encodes it all the same.
ZintHandle Run(const Elements& elements, bool zintChecks, std::string& error) {
  ZintHandle symbol(ZBarcode_Create());
  if (!symbol) {
    error = "zint could not allocate a symbol";
    return symbol;
  }
  symbol->symbology = BARCODE_GS1_128;
  symbol->input_mode = GS1_MODE | (zintChecks ? 0 : GS1NOCHECK_MODE);
  const std::string input = BracketedElements(elements);
  const int status =
      ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()), static_cast<int>(input.size()));
  if (status >= ZINT_ERROR || (zintChecks && status != 0)) error = symbol->errtxt;
  return symbol;
}

}  // namespace

EncodedSymbol EncodeGs1_128(const Elements& elements) {
  EncodedSymbol result;
  result.elements = elements;
  std::stable_partition(result.elements.begin(), result.elements.end(),
                        [](const Element& e) { return !e.ai.starts_with("23"); });
  const ZintHandle symbol = Run(result.elements, false, result.error);
  if (!result.Ok()) return result;
  result.modules.resize(static_cast<std::size_t>(symbol->width));
  for (int x = 0; x < symbol->width; ++x) {
    // zint keeps each row's modules packed eight to a byte, lowest bit first.
    result.modules[static_cast<std::size_t>(x)] = ((symbol->encoded_data[0][x >> 3] >> (x & 7)) & 1) != 0;
  }
  return result;
}

std::string ZintVerdict(const Elements& elements) {
  std::string error;
  Run(elements, true, error);
  return error;
}

std::vector<std::pair<int, int>> BarRuns(const EncodedSymbol& symbol) {
  std::vector<std::pair<int, int>> runs;
  const auto& m = symbol.modules;
  for (std::size_t x = 0; x < m.size();) {
    if (!m[x]) {
      ++x;
      continue;
    }
    const std::size_t start = x;
    while (x < m.size() && m[x]) ++x;
    runs.emplace_back(static_cast<int>(start), static_cast<int>(x - start));
  }
  return runs;
}

}  // namespace velmora::symbol
