#pragma once
// What a row's values would do to the barcode beyond being its data: a code-set
// or FNC1 marker, or a GS character, would add or change fields; a value shorter
// than the length the template cuts it to would be padded with zeros, a longer
// one cut.
#include <string>
#include <vector>

#include "symbol/Formula.h"

namespace velmora::label {

// One line per problem ("LOT: ..."); none when every value is plain data.
std::vector<std::string> ValueProblems(const symbol::VariableValues& given,
                                       const std::vector<symbol::Formula::Padded>& padded);

}  // namespace velmora::label
