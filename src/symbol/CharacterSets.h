#pragma once
// GS1's character sets, as the syntax dictionary names them.
#include <string_view>

namespace velmora::symbol {

// CSET 82 (X): also the values of characters in the alphanumeric check pair, by position.
inline constexpr std::string_view kCset82 =
    "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
// CSET 39 (Y).
inline constexpr std::string_view kCset39 = "#-/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
// CSET 64 (Z), base64url without its padding.
inline constexpr std::string_view kCset64 = "-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
// CSET 32: the characters of the alphanumeric check pair.
inline constexpr std::string_view kCset32 = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";

}  // namespace velmora::symbol
