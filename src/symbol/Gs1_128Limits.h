#pragma once
// GS1-128's own limits (GS1 General Specifications, GS1-128 dimensional
// requirements, "maximum symbol length"): at most 48 encoded data characters,
// the AIs and the FNC1 separators counted, the auxiliary characters and the
// symbol check character not; and at most 165.10 mm long with its quiet zones.
#include "symbol/Elements.h"
#include "symbol/Findings.h"
#include "symbol/SyntaxDictionary.h"
#include "symbol/ZintSymbol.h"

namespace velmora::symbol {

inline constexpr int kMaxGs1_128Characters = 48;
inline constexpr double kMaxGs1_128Millimetres = 165.10;

// The data characters of `elements` in one GS1-128 symbol, in the order it
// carries them: each AI and its data, and an FNC1 after an AI of no
// predefined length that another follows.
int Gs1_128Characters(const Elements& elements, const SyntaxDictionary& dictionary);

// `symbol`'s length with its quiet zones at `module` mm.
double Gs1_128Length(const EncodedSymbol& symbol, double module);

// A finding for each limit `elements` pass: the count (at the AI that passes
// 48) and, given the symbol and a module, the length (at the symbol's first AI).
Findings Gs1_128LimitFindings(const Elements& elements, const SyntaxDictionary& dictionary,
                              const EncodedSymbol* symbol = nullptr, double module = 0);

}  // namespace velmora::symbol
