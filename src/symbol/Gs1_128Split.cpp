#include "symbol/Gs1_128Split.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "symbol/Gs1_128Limits.h"
#include "symbol/ZintSymbol.h"

namespace velmora::symbol {
namespace {

bool Predefined(const Element& e, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(e.ai);
  return syntax != nullptr && syntax->predefinedLength;
}

// The AIs of predefined length first, each group in its given order: the
// others need an FNC1 after them unless they end the symbol.
Elements CarriedOrder(Elements elements, const SyntaxDictionary& dictionary) {
  std::stable_partition(elements.begin(), elements.end(), [&](const Element& e) { return Predefined(e, dictionary); });
  return EncodeOrder(std::move(elements));
}

bool Fits(const Elements& elements, const SyntaxDictionary& dictionary, const SplitRules& rules) {
  if (Gs1_128Characters(elements, dictionary) > kMaxGs1_128Characters) return false;
  const double limit = rules.maxLength > 0 ? std::min(rules.maxLength, kMaxGs1_128Millimetres) : kMaxGs1_128Millimetres;
  const EncodedSymbol symbol = EncodeGs1_128(elements);
  return symbol.Ok() && Gs1_128Length(symbol, rules.module) <= limit + 1e-9;
}

[[noreturn]] void TooLong(const Element& e, const SplitRules& rules) {
  char length[96];
  std::snprintf(length, sizeof length, "%.1f mm at a %.2f mm module",
                rules.maxLength > 0 ? rules.maxLength : kMaxGs1_128Millimetres, rules.module);
  throw SplitError("AI (" + e.ai + ") alone makes a GS1-128 symbol longer than " + length +
                   " with its quiet zones: a smaller --module or a wider --media holds it");
}

}  // namespace

std::vector<Elements> SplitOverGs1_128(const Elements& elements, const SyntaxDictionary& dictionary,
                                       const SplitRules& rules) {
  const auto sscc = std::find_if(elements.begin(), elements.end(), [](const Element& e) { return e.ai == "00"; });
  const bool ssccAlone = sscc != elements.end() && elements.size() > 1;
  if (!(rules.ssccAlone && ssccAlone) && Fits(CarriedOrder(elements, dictionary), dictionary, rules)) {
    return {CarriedOrder(elements, dictionary)};
  }
  Elements rest;
  for (const Element& e : elements) {
    if (!ssccAlone || &e != &*sscc) rest.push_back(e);
  }
  std::stable_partition(rest.begin(), rest.end(), [&](const Element& e) { return Predefined(e, dictionary); });
  std::vector<Elements> symbols;  // each element into the first symbol that still holds it
  for (const Element& e : rest) {
    bool placed = false;
    for (Elements& symbol : symbols) {
      Elements tried = symbol;
      tried.push_back(e);
      tried = CarriedOrder(std::move(tried), dictionary);
      if (Fits(tried, dictionary, rules)) {
        symbol = std::move(tried);
        placed = true;
        break;
      }
    }
    if (placed) continue;
    if (!Fits({e}, dictionary, rules)) TooLong(e, rules);
    symbols.push_back({e});
  }
  if (ssccAlone) {
    if (!Fits({*sscc}, dictionary, rules)) TooLong(*sscc, rules);
    symbols.push_back({*sscc});
  }
  return symbols;
}

std::string CarriedOnce(const Elements& all, const std::vector<Elements>& symbols) {
  std::map<std::string, int> owed;  // an AI given twice is carried twice
  for (const Element& e : all) ++owed[e.ai];
  for (const Elements& symbol : symbols) {
    for (const Element& e : symbol) --owed[e.ai];
  }
  for (const Element& e : all) {
    const int left = owed[e.ai];
    if (left > 0) return "AI (" + e.ai + ") is in no symbol";
    if (left < 0) return "AI (" + e.ai + ") is in " + std::to_string(1 - left) + " symbols";
  }
  for (const auto& [ai, left] : owed) {
    if (left < 0) return "AI (" + ai + ") is in a symbol but not in the label's data";
  }
  return "";
}

}  // namespace velmora::symbol
