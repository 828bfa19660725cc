#pragma once
// Texts are UTF-8 everywhere; where the system counts characters it counts
// Unicode code points, never bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// map to the C1 control of the same value, as Windows' own conversion does.
std::string Windows1252ToUtf8(std::string_view bytes);

// The byte-order mark of UTF-16LE, what Windows' Notepad writes as "Unicode".
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// File contents as UTF-8: a file that starts with the UTF-16LE mark is UTF-16LE;
// a UTF-8 byte-order mark is dropped, and a file that is not valid UTF-8 is
// taken to be Windows-1252. UTF-8 text is handed back as it came, without a copy.
std::string DecodeFileText(std::string bytes);

// Byte length of the code point that starts at bytes[pos] (1 for a stray byte).
std::size_t CodePointSize(std::string_view bytes, std::size_t pos);

std::size_t CodePointCount(std::string_view text);

// The first `count` code points of `text` (all of it when shorter).
std::string LeftChars(std::string_view text, std::size_t count);

// Byte offset of code point number `index` (0-based); text.size() past the end.
std::size_t ByteOffsetOfChar(std::string_view text, std::size_t index);

// The code point of the `len`-byte sequence at bytes[pos] (CodePointSize gives
// `len`); a stray byte stands for itself.
char32_t DecodeCodePoint(std::string_view bytes, std::size_t pos, std::size_t len);

// The text's code points, one per character.
std::u32string ToCodePoints(std::string_view text);

// Encodes one code point as UTF-8.
std::string EncodeCodePoint(char32_t cp);

// UTF-16LE bytes to UTF-8; an odd last byte is dropped and an unpaired
// surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);

// UTF-8 text to UTF-16LE bytes.
std::string Utf8ToUtf16Le(std::string_view text);

}  // namespace velmora
