// The template's formula language: any text parses or names its column.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "symbol/Formula.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const velmora::symbol::Formula formula = velmora::symbol::Formula::Parse(text);
    formula.Evaluate({{"LOT", "ABC123"}, {"GTIN", "0000001234567"}});
  } catch (const velmora::symbol::FormulaError& e) {
    if (e.Column() == 0 || e.Column() > text.size() + 1) std::abort();
  }
  return 0;
}
