#include "symbol/Gs1_128Limits.h"

#include <cstdio>

#include "symbol/SymbolKinds.h"

namespace velmora::symbol {
namespace {

// The characters an element takes, with the FNC1 that ends it when another follows.
int ElementCharacters(const Element& e, bool last, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(e.ai);
  const bool separated = !last && (syntax == nullptr || !syntax->predefinedLength);
  return static_cast<int>(e.ai.size() + e.data.size()) + (separated ? 1 : 0);
}

}  // namespace

int Gs1_128Characters(const Elements& elements, const SyntaxDictionary& dictionary) {
  const Elements ordered = EncodeOrder(elements);
  int count = 0;
  for (std::size_t i = 0; i < ordered.size(); ++i)
    count += ElementCharacters(ordered[i], i + 1 == ordered.size(), dictionary);
  return count;
}

double Gs1_128Length(const EncodedSymbol& symbol, double module) {
  return (symbol.Columns() + 2 * QuietModules(SymbolKind::Gs1_128)) * module;
}

Findings Gs1_128LimitFindings(const Elements& elements, const SyntaxDictionary& dictionary, const EncodedSymbol* symbol,
                              double module) {
  Findings findings;
  const Elements ordered = EncodeOrder(elements);
  const int total = Gs1_128Characters(ordered, dictionary);
  int count = 0;
  for (std::size_t i = 0; i < ordered.size() && total > kMaxGs1_128Characters; ++i) {
    count += ElementCharacters(ordered[i], i + 1 == ordered.size(), dictionary);
    if (count > kMaxGs1_128Characters) {
      findings.push_back({FindingKind::SymbolCharacters, ordered[i].ai, 0, std::to_string(total),
                          std::to_string(kMaxGs1_128Characters)});
      break;
    }
  }
  if (symbol != nullptr && module > 0 && !ordered.empty()) {
    const double length = Gs1_128Length(*symbol, module);
    if (length > kMaxGs1_128Millimetres + 1e-9) {
      char found[32];
      char detail[32];
      std::snprintf(found, sizeof found, "%.1f mm", length);
      std::snprintf(detail, sizeof detail, "%.2f mm", module);
      findings.push_back({FindingKind::SymbolLength, ordered.front().ai, 0, found, detail});
    }
  }
  return findings;
}

}  // namespace velmora::symbol
