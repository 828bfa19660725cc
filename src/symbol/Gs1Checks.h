#pragma once
// GS1's rules applied to a barcode's elements, driven by the syntax dictionary:
// each AI's format and linters, then the pairing rules across the barcode.
#include <optional>

#include "symbol/Elements.h"
#include "symbol/Findings.h"
#include "symbol/IsoCodes.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

// The first fault of one element's data, or nothing when GS1 accepts it.
std::optional<Finding> CheckElement(const Element& element, const SyntaxDictionary& dictionary, const IsoCodes& iso);

// Every element's first fault, then the missing and excluded pairings, in order.
Findings CheckElements(const Elements& elements, const SyntaxDictionary& dictionary, const IsoCodes& iso);

}  // namespace velmora::symbol
