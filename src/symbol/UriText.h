#pragma once
// A URI's own text: the characters it may hold, values percent-encoded and
// decoded, and what looks like one.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::symbol {

// RFC 3986's unreserved characters stay, every other byte is %XX; in a query a
// space is '+'.
std::string EscapeUriValue(std::string_view value, bool query);

// The value decoded; in a query '+' is a space. Empty when a '%' is not
// followed by two hexadecimal digits or makes a NUL; `bad` is then its offset.
std::optional<std::string> UnescapeUriValue(std::string_view value, bool query, std::size_t& bad);

// May `c` appear in a URI at all?
bool IsUriCharacter(char c);

// "http://" or "https://" (either case) at the start: text that is a URI, not an element string.
bool LooksLikeUri(std::string_view text);

}  // namespace velmora::symbol
