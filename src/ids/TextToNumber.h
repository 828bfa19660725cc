#pragma once
// The standard value-of-text conversion used for every number read as text.
#include <cstdint>
#include <string_view>

namespace velmora {

// Blanks (space, tab, line breaks) are skipped wherever they stand; then an
// optional sign, digits, a decimal point and an exponent are read up to the
// first other character. A text without a leading number gives 0.
double ValueOfText(std::string_view text);

// ValueOfText rounded half to even; run-time error 6 outside 16 bits.
std::int16_t TextToInt16(std::string_view text);

}  // namespace velmora
