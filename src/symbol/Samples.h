#pragma once
// Data that GS1 accepts for an AI: what a preview draws in place of a host
// variable's sample, and what tests encode.
#include <string>

#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

// The shortest data of the AI's mandatory components that passes its format and
// every linter (its codes are in the shipped code lists).
std::string ValidSample(const AiSyntax& syntax);

}  // namespace velmora::symbol
