#pragma once
// GS1's rules applied to a barcode's elements, driven by the syntax dictionary:
// each AI's format and linters, then the rules across the barcode (pairings,
// repeats, and the serial part a digital signature asks for).
#include "symbol/CodeLists.h"
#include "symbol/Elements.h"
#include "symbol/Findings.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

// Every fault of one element's data: its length, and the first fault of each
// of its components (a bad character or a linter's verdict). Empty when GS1
// accepts it.
Findings CheckElement(const Element& element, const SyntaxDictionary& dictionary, const CodeLists& codes);

// Every element's faults, then the rules across the barcode, each said once.
Findings CheckElements(const Elements& elements, const SyntaxDictionary& dictionary, const CodeLists& codes);

}  // namespace velmora::symbol
