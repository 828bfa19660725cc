#include "platform/CaseFold.h"

#include "platform/Utf8Text.h"

namespace velmora {
namespace {

char32_t UpperCodePoint(char32_t cp) {
  if (cp >= U'a' && cp <= U'z') return cp - 0x20;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
  // and the letters that Windows-1252 adds to Latin-1: š œ ž ÿ
  if (cp == 0xFF) return 0x178;
  if (cp == 0x161 || cp == 0x153 || cp == 0x17E) return cp - 1;
  return cp;
}

// The common case, kept to a compare and a subtraction.
inline unsigned char AsciiUpper(unsigned char b) {
  return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 0x20) : b;
}

}  // namespace

std::string UpperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
      out += static_cast<char>(AsciiUpper(c));
      ++pos;
      continue;
    }
    const std::size_t len = CodePointSize(text, pos);
    if (len > 1) {
      out += EncodeCodePoint(UpperCodePoint(DecodeCodePoint(text, pos, len)));
    } else {
      out += text[pos];  // a stray byte stays as it is
    }
    pos += len;
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  // ASCII letters fold in place; from the first other byte on, the rest of both
  // (which starts at a character in each) is compared upper-cased.
  std::size_t i = 0;
  for (; i < a.size() && i < b.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80) return UpperCase(a.substr(i)) == UpperCase(b.substr(i));
    if (AsciiUpper(x) != AsciiUpper(y)) return false;
  }
  return a.size() == b.size();  // what is left of the longer one upper-cases to something
}

std::size_t HashIgnoreCase(std::string_view text) {
  // FNV-1a over the upper-cased bytes; ASCII texts are folded in place.
  const auto hash = [](std::string_view bytes, bool fold) {
    std::size_t h = 14695981039346656037ULL;
    for (const char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      h = (h ^ (fold ? AsciiUpper(b) : b)) * 1099511628211ULL;
    }
    return h;
  };
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return hash(UpperCase(text), false);
  }
  return hash(text, true);
}

}  // namespace velmora
