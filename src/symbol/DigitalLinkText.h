#pragma once
// The small texts of GS1 Digital Link URIs: values percent-encoded and decoded,
// and the lists that messages name AIs with.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

// RFC 3986's unreserved characters stay, every other byte is %XX; in a query a
// space is '+'.
std::string EscapeUriValue(std::string_view value, bool query);

// The value decoded; in a query '+' is a space. Empty when a '%' is not
// followed by two hexadecimal digits or makes a NUL; `bad` is then its offset.
std::optional<std::string> UnescapeUriValue(std::string_view value, bool query, std::size_t& bad);

// May `c` appear in a URI at all?
bool IsUriCharacter(char c);

// "(22), (10)" from the AIs of `ais` from `first` on.
std::string AiList(const std::vector<std::string>& ais, std::size_t first = 0);

// "22, 10, 21 or 235": the qualifier orders of a primary key; "no qualifiers".
std::string QualifierOrders(const std::string& key, const SyntaxDictionary& dictionary);

// "(00), (01), (253), ...": every primary key of the dictionary.
std::string PrimaryKeyList(const SyntaxDictionary& dictionary);

}  // namespace velmora::symbol
