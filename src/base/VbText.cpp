#include "base/VbText.h"

#include <vector>

#include "platform/Utf8Text.h"
#include "platform/ini/IniLines.h"

namespace velmora {
namespace {

std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = CodePointSize(text, pos);
    chars.push_back(text.substr(pos, len));
    pos += len;
  }
  return chars;
}

// Matches one character against the list between "[" and "]"; `p` is at "[",
// and is moved past the "]". A list without "]" never matches.
bool MatchList(const std::vector<std::string_view>& pat, std::size_t& p, std::string_view c) {
  std::size_t i = p + 1;
  const bool negate = i < pat.size() && pat[i] == "!";
  if (negate) ++i;
  bool found = false;
  for (; i < pat.size() && pat[i] != "]"; ++i) {
    if (i + 2 < pat.size() && pat[i + 1] == "-" && pat[i + 2] != "]") {
      found = found || (pat[i] <= c && c <= pat[i + 2]);  // UTF-8 byte order is code point order
      i += 2;
    } else {
      found = found || pat[i] == c;
    }
  }
  if (i >= pat.size()) return false;
  p = i + 1;
  return found != negate;
}

bool MatchFrom(const std::vector<std::string_view>& text, std::size_t t, const std::vector<std::string_view>& pat,
               std::size_t p) {
  while (p < pat.size()) {
    if (pat[p] == "*") {
      for (std::size_t k = t; k <= text.size(); ++k) {
        if (MatchFrom(text, k, pat, p + 1)) return true;
      }
      return false;
    }
    if (t >= text.size()) return false;
    if (pat[p] == "[") {
      if (!MatchList(pat, p, text[t])) return false;
    } else if (pat[p] == "#") {
      if (text[t].size() != 1 || text[t][0] < '0' || text[t][0] > '9') return false;
      ++p;
    } else {
      if (pat[p] != "?" && pat[p] != text[t]) return false;
      ++p;
    }
    ++t;
  }
  return t == text.size();
}

}  // namespace

std::string Trim(std::string_view text) { return std::string(TrimSpaces(text)); }

std::string Left(std::string_view text, std::int32_t count) {
  return count <= 0 ? std::string() : LeftChars(text, static_cast<std::size_t>(count));
}

std::int32_t Len(std::string_view text) { return static_cast<std::int32_t>(CodePointCount(text)); }

std::string FitWidth(std::string_view text, std::int32_t width) {
  std::string out = Left(text, width);
  const std::int32_t length = Len(out);
  if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
  return out;
}

bool Like(std::string_view text, std::string_view pattern) {
  return MatchFrom(Characters(text), 0, Characters(pattern), 0);
}

}  // namespace velmora
