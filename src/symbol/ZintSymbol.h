#pragma once
// GS1-128 and the 2D symbols, encoded by libzint: the one file that speaks to it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "symbol/Elements.h"
#include "symbol/SymbolKinds.h"

namespace velmora::symbol {

// The symbol's modules, row by row, left to right, without quiet zones.
struct EncodedSymbol {
  SymbolKind kind = SymbolKind::Gs1_128;
  Elements elements;          // in the order encoded, which a scanner reads back
  std::string uri;            // the GS1 Digital Link URI the DL forms carry
  std::vector<bool> modules;  // true: a dark module (a bar, a square)
  int rows = 1;               // 1 for GS1-128
  std::string error;          // zint's text when it could not encode; modules are then empty
  bool Ok() const { return error.empty(); }
  int Columns() const { return rows > 0 ? static_cast<int>(modules.size()) / rows : 0; }
  bool Dark(int row, int column) const { return modules[static_cast<std::size_t>(row * Columns() + column)]; }
};

// The order GS1-128 carries `elements` in: as given, but zint takes every AI
// starting with 23 for one of predefined length and puts no FNC1 after it,
// though (235) is of variable length: such an element goes last, where it
// needs none.
Elements EncodeOrder(Elements elements);

// Encodes the elements as GS1-128 in GS1 mode with zint's own data checks off:
// our dictionary-driven checks decide what is valid, zint knows fewer AIs.
// An element of an AI starting with 23 is moved last (zint would put no FNC1
// after it, and (235) needs one).
EncodedSymbol EncodeGs1_128(const Elements& elements);

// The elements (or, for the DL forms, `uri`) as a square 2D symbol of `kind`.
EncodedSymbol EncodeMatrix(SymbolKind kind, const Elements& elements, const std::string& uri);

// zint's own verdict with its checks on: empty when it accepts the data, else its message.
std::string ZintVerdict(const Elements& elements);

// The dark runs of the modules of `row`: (first module, width in modules).
std::vector<std::pair<int, int>> BarRuns(const EncodedSymbol& symbol, int row = 0);

}  // namespace velmora::symbol
