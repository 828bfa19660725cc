#include "base/NumericText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace velmora {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// &H and &O literals: up to 32 bits, read as a signed 32-bit pattern.
std::optional<double> RadixNumber(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  // Past 32 bits the number does not fit: infinity makes the caller's range check fail.
  if (value > 0xFFFFFFFFull) return HUGE_VAL;
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

bool IsDecimalNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) ++digits;
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exponent = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) ++exponent;
    if (exponent == 0) return false;
  }
  return i == s.size();
}

}  // namespace

std::optional<double> ParseNumericText(std::string_view text) {
  const std::string_view s = TrimBlanks(text);
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return RadixNumber(s.substr(2), 16);
    if (s[1] == 'O' || s[1] == 'o') return RadixNumber(s.substr(2), 8);
    return std::nullopt;
  }
  if (!IsDecimalNumber(s)) return std::nullopt;
  // from_chars reads the same whatever the process's locale; it takes no '+'.
  const bool negative = s[0] == '-';
  const std::string_view unsigned_ = s[0] == '+' || s[0] == '-' ? s.substr(1) : s;
  double value = 0;
  const auto [end, error] = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value);
  if (error == std::errc::result_out_of_range) return HUGE_VAL;
  if (error != std::errc()) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace velmora
