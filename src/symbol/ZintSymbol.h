#pragma once
// GS1-128 encoding by libzint: the one file that speaks to it.
#include <string>
#include <vector>

#include "symbol/Elements.h"

namespace velmora::symbol {

// The symbol's modules, left to right, without quiet zones.
struct EncodedSymbol {
  Elements elements;          // in the order encoded, which a scanner reads back
  std::vector<bool> modules;  // true: a dark module (bar)
  std::string error;          // zint's text when it could not encode; modules are then empty
  bool Ok() const { return error.empty(); }
};

// Encodes the elements as GS1-128 in GS1 mode with zint's own data checks off:
// our dictionary-driven checks decide what is valid, zint knows fewer AIs.
// zint takes every AI starting with 23 for one of predefined length and puts no
// FNC1 after it, though (235) is of variable length: such an element is moved
// last, where it needs none.
EncodedSymbol EncodeGs1_128(const Elements& elements);

// zint's own verdict with its checks on: empty when it accepts the data, else its message.
std::string ZintVerdict(const Elements& elements);

// The dark runs of the modules: (first module, width in modules).
std::vector<std::pair<int, int>> BarRuns(const EncodedSymbol& symbol);

}  // namespace velmora::symbol
