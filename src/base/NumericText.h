#pragma once
// The platform's reading of a text as a number, for conversions of host values.
#include <optional>
#include <string_view>

namespace velmora {

// Blanks around the text are allowed; then an optional sign, decimal digits with
// an optional point and exponent, or &H (hexadecimal) / &O (octal) digits taken
// as a 32-bit pattern (&HFFFFFFFF is -1). Anything else ("0x10", "nan", "inf",
// "", "12abc") is no number.
std::optional<double> ParseNumericText(std::string_view text);

}  // namespace velmora
