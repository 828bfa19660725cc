#pragma once
// Element strings in every form a user meets: bracketed "(01)..." (with "\("
// for a parenthesis in data), zint's "[01]...", and the unbracketed forms that
// scanners send: a symbology identifier (]C1 GS1-128, ]d2 GS1 DataMatrix, ]Q3
// GS1 QR Code, ]e0 GS1 DataBar, ]J1 GS1 DotCode) or FNC1 in first position,
// then the AIs with GS (0x1D), '^' or {FNC1} where a field ends.
#include <string>
#include <string_view>

#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

// Any of the forms above; the AIs of unbracketed data and their lengths come
// from the dictionary. Throws ElementError with the position of what cannot be read.
Elements ReadElementString(std::string_view text, const SyntaxDictionary& dictionary);

// `prefix` (a symbology identifier, or empty), then each AI and its data, with
// `separator` after every field that needs one (not of predefined length, not last).
std::string UnbracketedElements(const Elements& elements, const SyntaxDictionary& dictionary, std::string_view prefix,
                                std::string_view separator);

}  // namespace velmora::symbol
