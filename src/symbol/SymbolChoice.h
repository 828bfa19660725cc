#pragma once
// A label's elements as the symbol the user chose: GS1-128, a GS1 2D symbol, or
// their GS1 Digital Link URI in a 2D symbol.
#include <string_view>

#include "symbol/DigitalLink.h"
#include "symbol/ZintSymbol.h"

namespace velmora::symbol {

// Throws DigitalLinkError when a Digital Link form is asked for and the
// elements make no URI; zint's refusals are in the result's `error`.
EncodedSymbol EncodeAs(SymbolKind kind, const Elements& elements, const SyntaxDictionary& dictionary,
                       std::string_view domain = kDefaultDigitalLinkDomain);

}  // namespace velmora::symbol
