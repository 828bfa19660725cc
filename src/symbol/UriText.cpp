#include "symbol/UriText.h"

#include <cstring>

namespace velmora::symbol {
namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string EscapeUriValue(std::string_view value, bool query) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(value.size());
  for (const char ch : value) {
    const auto c = static_cast<unsigned char>(ch);
    if (Unreserved(c)) {
      out += ch;
    } else if (c == ' ' && query) {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::optional<std::string> UnescapeUriValue(std::string_view value, bool query, std::size_t& bad) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%') {
      const int hi = i + 1 < value.size() ? HexValue(value[i + 1]) : -1;
      const int lo = i + 2 < value.size() ? HexValue(value[i + 2]) : -1;
      if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) {
        bad = i;
        return std::nullopt;
      }
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      out += query && value[i] == '+' ? ' ' : value[i];
    }
  }
  return out;
}

bool IsUriCharacter(char c) {
  return c != '\0' && (Unreserved(static_cast<unsigned char>(c)) || std::strchr(":/?#[]@!$&'()*+,;=%", c) != nullptr);
}

bool LooksLikeUri(std::string_view text) {
  for (const std::string_view scheme : {"http://", "https://", "HTTP://", "HTTPS://"}) {
    if (text.starts_with(scheme)) return true;
  }
  return false;
}

}  // namespace velmora::symbol
