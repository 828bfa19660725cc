#pragma once
// Millimetres to the thousandth as SVG text, written by hand into a caller's
// buffer: a label's SVG is thousands of numbers, and the standard's general
// formatting costs more than the rest of the drawing.
#include <algorithm>
#include <cmath>

namespace velmora::render {

// Room a number needs: sign, up to 13 digits (clamped), point, 3 decimals.
inline constexpr int kThousandthsRoom = 20;

// Writes value as "12.345" (always three decimals, as outlines have them), or
// with trim as "12.3" and "12" (trailing zeros and a bare point dropped), and
// returns the end. A value that rounds to zero is "0.000" or "0", never signed.
inline char* WriteThousandths(char* at, double value, bool trim = false) {
  const long long thousandths = std::llround(std::clamp(value, -1e9, 1e9) * 1000);
  unsigned long long rest = static_cast<unsigned long long>(thousandths < 0 ? -thousandths : thousandths);
  char digits[kThousandthsRoom];
  char* first = digits + sizeof digits;
  int decimals = 3;
  if (trim) {
    for (; decimals > 0 && rest % 10 == 0 && rest > 0; --decimals) rest /= 10;
    if (rest == 0) decimals = 0;
  }
  for (int n = 0; rest > 0 || n <= decimals; rest /= 10, ++n) {
    if (n == decimals && decimals > 0) *--first = '.';
    *--first = static_cast<char>('0' + rest % 10);
  }
  if (thousandths < 0) *--first = '-';
  return std::copy(first, digits + sizeof digits, at);
}

}  // namespace velmora::render
