#pragma once
// Data that GS1 accepts for an AI: what a preview draws in place of a host
// variable's sample, and what tests encode.
#include <string>

#include "symbol/IsoCodes.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

// The shortest data of the AI's mandatory components that passes its format and
// every linter this program checks.
std::string ValidSample(const AiSyntax& syntax, const IsoCodes& iso);

}  // namespace velmora::symbol
