#pragma once
// An element string that one GS1-128 symbol cannot carry within GS1-128's own
// limits, spread over several: split at AI boundaries, each symbol within the
// limits, the AIs of predefined length first in a symbol (they need no FNC1
// after them). The pairing rules are the element string's, checked before it
// is split: they hold for the label's symbols together, as GS1's logistics
// labels carry the SSCC alone in the lowest symbol and its companions above it.
#include <stdexcept>
#include <string>
#include <vector>

#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

struct SplitRules {
  double module = 0;       // mm
  double maxLength = 0;    // mm with the quiet zones, within GS1's 165.10 mm; 0: GS1's
  bool ssccAlone = false;  // (00) in a symbol of its own, whether one would hold all or not
};

// Thrown when an AI alone is too long for a symbol at the rules' module and length.
class SplitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The symbols, top to bottom: one when one holds everything (and the SSCC need
// not be alone); else each within the limits, (00) alone in the last (the
// lowest, where GS1's logistics label puts it). Each symbol's elements are in
// the order it carries them.
std::vector<Elements> SplitOverGs1_128(const Elements& elements, const SyntaxDictionary& dictionary,
                                       const SplitRules& rules);

// "" when every element of `all` is carried by exactly one of `symbols` and
// they carry nothing else; else what is wrong ("AI (10) is in 2 symbols").
std::string CarriedOnce(const Elements& all, const std::vector<Elements>& symbols);

}  // namespace velmora::symbol
