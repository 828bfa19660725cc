#pragma once
// Letter case of UTF-8 texts, for the comparisons Windows makes without regard
// to case (settings names, file names) and for upper-casing user input.
#include <string>
#include <string_view>

namespace velmora {

// Upper case of ASCII and Latin-1 letters (the letters of the Western code page).
std::string UpperCase(std::string_view text);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// A hash of UpperCase(text): texts that are equal without regard to case hash alike.
std::size_t HashIgnoreCase(std::string_view text);

}  // namespace velmora
