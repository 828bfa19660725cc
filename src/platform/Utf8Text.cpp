#include "platform/Utf8Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace velmora {
namespace {

// 0x80..0x9F of Windows-1252; 0 marks the undefined bytes.
constexpr std::array<char32_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of a well-formed sequence at pos, or 0 when it is malformed.
std::size_t WellFormedLength(std::string_view s, std::size_t pos) {
  const auto c = static_cast<unsigned char>(s[pos]);
  std::size_t len = 0;
  char32_t min = 0;
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) {
    len = 2;
    min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3;
    min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4;
    min = 0x10000;
  } else
    return 0;
  if (pos + len > s.size()) return 0;
  char32_t cp = c & (0x7F >> len);
  for (std::size_t i = 1; i < len; ++i) {
    const auto cc = static_cast<unsigned char>(s[pos + i]);
    if (!IsContinuation(cc)) return 0;
    cp = (cp << 6) | (cc & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// How many bytes at the start are ASCII, eight at a time: most texts are all ASCII,
// and there a character is a byte.
std::size_t AsciiPrefix(std::string_view text) {
  std::size_t pos = 0;
  for (std::uint64_t word = 0;
       pos + 8 <= text.size() && (std::memcpy(&word, text.data() + pos, 8), (word & 0x8080808080808080ULL) == 0);)
    pos += 8;
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
  return pos;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    // Eight ASCII bytes at a time while there are eight.
    std::uint64_t word = 0;
    if (pos + 8 <= bytes.size() && (std::memcpy(&word, bytes.data() + pos, 8), (word & 0x8080808080808080ULL) == 0)) {
      pos += 8;
      continue;
    }
    if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const std::size_t len = WellFormedLength(bytes, pos);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

std::string EncodeCodePoint(char32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

char32_t DecodeCodePoint(std::string_view bytes, std::size_t pos, std::size_t len) {
  const auto c = static_cast<unsigned char>(bytes[pos]);
  if (len <= 1) return c;
  char32_t cp = c & (0x7F >> len);
  for (std::size_t i = 1; i < len; ++i) cp = (cp << 6) | (static_cast<unsigned char>(bytes[pos + i]) & 0x3F);
  return cp;
}

std::u32string ToCodePoints(std::string_view text) {
  std::u32string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = CodePointSize(text, pos);
    out.push_back(DecodeCodePoint(text, pos, len));
    pos += len;
  }
  return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  const auto unit = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
      out += EncodeCodePoint(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
      i += 2;
    } else {
      out += EncodeCodePoint(u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
    }
  }
  return out;
}

std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  const auto put = [&](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = WellFormedLength(text, pos);
    const char32_t cp = len == 0 ? 0xFFFD : DecodeCodePoint(text, pos, len);
    pos += len == 0 ? 1 : len;
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else if (c < 0xA0 && kHighControls[c - 0x80] != 0) {
      out += EncodeCodePoint(kHighControls[c - 0x80]);
    } else {
      out += EncodeCodePoint(c);
    }
  }
  return out;
}

std::string DecodeFileText(std::string bytes) {
  std::string_view view(bytes);
  if (view.starts_with(kUtf16LeMark)) return Utf16LeToUtf8(view.substr(kUtf16LeMark.size()));
  if (view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
  if (!IsValidUtf8(view)) return Windows1252ToUtf8(view);
  if (view.size() != bytes.size()) bytes.erase(0, 3);
  return bytes;
}

std::size_t CodePointSize(std::string_view bytes, std::size_t pos) {
  if (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) < 0x80) return 1;  // the common case, undecoded
  const std::size_t len = WellFormedLength(bytes, pos);
  return len == 0 ? 1 : len;
}

std::size_t CodePointCount(std::string_view text) {
  std::size_t pos = AsciiPrefix(text);
  std::size_t count = pos;
  for (; pos < text.size(); pos += CodePointSize(text, pos)) ++count;
  return count;
}

std::size_t ByteOffsetOfChar(std::string_view text, std::size_t index) {
  const std::size_t ascii = AsciiPrefix(text.substr(0, index));
  if (ascii == index) return std::min(index, text.size());
  std::size_t pos = ascii;
  for (std::size_t i = ascii; i < index && pos < text.size(); ++i) pos += CodePointSize(text, pos);
  return pos < text.size() ? pos : text.size();
}

std::string LeftChars(std::string_view text, std::size_t count) {
  return std::string(text.substr(0, ByteOffsetOfChar(text, count)));
}

}  // namespace velmora
