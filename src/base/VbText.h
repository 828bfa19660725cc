#pragma once
// Text functions with the platform's semantics: lengths and positions count
// characters (code points), and "blanks" are the space character only.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

std::string Trim(std::string_view text);

// The first `count` characters (all of the text when it is shorter).
std::string Left(std::string_view text, std::int32_t count);

std::int32_t Len(std::string_view text);

// `text` cut or padded with blanks on the right to exactly `width` characters.
std::string FitWidth(std::string_view text, std::int32_t width);

// Pattern match of the platform's Like operator, case-sensitive: "*" any run,
// "?" one character, "#" one digit, "[a-z]"/"[!...]" a character list.
bool Like(std::string_view text, std::string_view pattern);

}  // namespace velmora
