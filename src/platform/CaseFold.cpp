#include "platform/CaseFold.h"

#include <cstdint>
#include <cstring>

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

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Eight bytes at once: their ASCII lower-case letters made upper-case (SWAR).
std::uint64_t AsciiUpper8(std::uint64_t bytes) {
  const std::uint64_t low = bytes & ~kHighBits;
  const std::uint64_t fromA = low + (0x80 - 'a') * kOnes;      // high bit: >= 'a'
  const std::uint64_t pastZ = low + (0x80 - 'z' - 1) * kOnes;  // high bit: > 'z'
  const std::uint64_t lower = (fromA ^ pastZ) & ~bytes & kHighBits;
  return bytes - (lower >> 2);  // 0x80 >> 2 is the 0x20 between the cases
}

std::uint64_t Load8(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, 8);
  return word;
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a == b) return true;  // the common case of a name found: spelled alike
  // ASCII letters fold in place, eight bytes at a time; from the first other
  // byte on, the rest of both (which starts at a character in each) is
  // compared upper-cased.
  std::size_t i = 0;
  for (; i + 8 <= a.size() && i + 8 <= b.size(); i += 8) {
    const std::uint64_t x = Load8(a.data() + i);
    const std::uint64_t y = Load8(b.data() + i);
    if (((x | y) & kHighBits) != 0) break;
    if (AsciiUpper8(x) != AsciiUpper8(y)) return false;
  }
  if (const std::size_t rest = a.size() - i; rest < 8 && rest == b.size() - i) {  // equal ASCII tails: one word
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, a.data() + i, rest);
    std::memcpy(&y, b.data() + i, rest);
    if (((x | y) & kHighBits) == 0) return AsciiUpper8(x) == AsciiUpper8(y);
  }
  for (; i < a.size() && i < b.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80) return UpperCase(a.substr(i)) == UpperCase(b.substr(i));
    if (AsciiUpper(x) != AsciiUpper(y)) return false;
  }
  return a.size() == b.size();  // what is left of the longer one upper-cases to something
}

namespace {

// The hash of ASCII-folded bytes, eight at a time.
std::size_t FoldedHash(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ULL ^ bytes.size();
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    h = (h ^ AsciiUpper8(word)) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
  h = (h ^ AsciiUpper8(tail)) * 0x9E3779B97F4A7C15ULL;
  return h ^ (h >> 32);
}

bool IsAscii(std::string_view text) {
  std::size_t i = 0;
  std::uint64_t any = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    any |= word;
  }
  for (; i < text.size(); ++i) any |= static_cast<unsigned char>(text[i]);
  return (any & kHighBits) == 0;
}

}  // namespace

std::size_t HashIgnoreCase(std::string_view text) {
  // ASCII texts are folded as they are hashed; others are upper-cased first.
  return IsAscii(text) ? FoldedHash(text) : FoldedHash(UpperCase(text));
}

}  // namespace velmora
