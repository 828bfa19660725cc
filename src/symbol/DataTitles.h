#pragma once
// An element as a logistics label's middle section shows it: the AI's GS1 data
// title (the syntax dictionary's title column) and its data in human-readable
// form: dates as dd.mm.yy, the decimal point placed where the AI's last digit
// says, the AI itself never shown.
#include <string>

#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

struct TitledValue {
  std::string title;  // "BEST BEFORE or BEST BY (dd.mm.yy)"
  std::string value;  // "31.12.27"
};

// The title is the dictionary's, with the form of a date added; an AI the
// dictionary does not know is titled "AI (nnnn)".
TitledValue Titled(const Element& element, const SyntaxDictionary& dictionary);

}  // namespace velmora::symbol
