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

}  // namespace

std::string UpperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = CodePointSize(text, pos);
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
      out += static_cast<char>(UpperCodePoint(c));
    } else if (len > 1) {
      out += EncodeCodePoint(UpperCodePoint(DecodeCodePoint(text, pos, len)));
    } else {
      out += text[pos];  // a stray byte stays as it is
    }
    pos += len;
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() == b.size()) {
    bool plainAscii = true;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const auto x = static_cast<unsigned char>(a[i]);
      const auto y = static_cast<unsigned char>(b[i]);
      if (x >= 0x80 || y >= 0x80) { plainAscii = false; break; }
      if (UpperCodePoint(x) != UpperCodePoint(y)) return false;
    }
    if (plainAscii) return true;
  }
  return UpperCase(a) == UpperCase(b);
}

}  // namespace velmora
