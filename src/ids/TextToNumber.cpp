#include "ids/TextToNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/RuntimeError.h"

namespace velmora {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The numeric prefix of `text` without its blanks, in the C library's syntax.
std::string NumericPrefix(std::string_view text) {
  std::string out;
  enum { Sign, Mantissa, Fraction, ExponentSign, Exponent } state = Sign;
  for (const char c : text) {
    if (IsSkipped(c)) continue;
    if (state == Sign && (c == '+' || c == '-')) {
      out += c;
      state = Mantissa;
    } else if ((state == Sign || state == Mantissa || state == Fraction) && IsDigit(c)) {
      out += c;
      if (state == Sign) state = Mantissa;
    } else if ((state == Sign || state == Mantissa) && c == '.') {
      out += c;
      state = Fraction;
    } else if ((state == Mantissa || state == Fraction) && (c == 'E' || c == 'e' || c == 'D' || c == 'd')) {
      out += 'e';
      state = ExponentSign;
    } else if ((state == ExponentSign) && (c == '+' || c == '-' || IsDigit(c))) {
      out += c;
      state = Exponent;
    } else if (state == Exponent && IsDigit(c)) {
      out += c;
    } else {
      break;
    }
  }
  return out;
}

}  // namespace

double ValueOfText(std::string_view text) {
  std::string prefix = NumericPrefix(text);
  while (!prefix.empty() && !IsDigit(prefix.back()) && prefix.back() != '.') prefix.pop_back();  // "1e", "1e-"
  if (prefix.find_first_of("0123456789") == std::string::npos) return 0.0;
  // from_chars reads the same in every locale (the Qt window sets one); it takes no '+'.
  const bool negative = prefix.front() == '-';
  const std::size_t start = prefix.front() == '-' || prefix.front() == '+' ? 1 : 0;
  double value = 0;
  const auto [end, error] = std::from_chars(prefix.data() + start, prefix.data() + prefix.size(), value);
  if (error == std::errc::result_out_of_range) value = HUGE_VAL;
  value = negative ? -value : value;
  return std::isfinite(value) ? value : (value > 0 ? HUGE_VAL : -HUGE_VAL);
}

std::int16_t TextToInt16(std::string_view text) {
  // A plain whole number of a few digits (a catalogue's flags and lengths) needs no general reading.
  const std::size_t sign = text.starts_with('-') ? 1 : 0;
  if (text.size() > sign && text.size() <= sign + 4 &&
      std::all_of(text.begin() + static_cast<std::ptrdiff_t>(sign), text.end(), IsDigit)) {
    int value = 0;
    for (const char c : text.substr(sign)) value = value * 10 + (c - '0');
    return static_cast<std::int16_t>(sign != 0 ? -value : value);
  }
  const double rounded = std::nearbyint(ValueOfText(text));  // the default mode rounds halves to even
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) RaiseError(kErrOverflow);
  return static_cast<std::int16_t>(rounded);
}

}  // namespace velmora
