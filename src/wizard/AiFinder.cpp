#include "wizard/AiFinder.h"

#include <algorithm>
#include <array>

#include "platform/Utf8Text.h"

namespace velmora {
namespace {

// Latin-1's accented letters (U+00C0 to U+00FF) without their accents, lower case.
constexpr std::string_view kLatin1Base =
    "aaaaaaaceeeeiiiidnooooo*ouuuuyts"   // U+00C0..U+00DF
    "aaaaaaaceeeeiiiidnooooo/ouuuuyty";  // U+00E0..U+00FF

char32_t Fold(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c - 'A' + 'a';
  if (c >= 0xC0 && c <= 0xFF) return static_cast<char32_t>(kLatin1Base[c - 0xC0]);
  if (c == 0x152 || c == 0x153) return 'o';  // Œ œ
  return c;
}

bool IsWordCharacter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c > 0x7F; }

std::vector<std::string> Words(std::string_view folded) {
  std::vector<std::string> words;
  std::size_t start = 0;
  for (std::size_t at = folded.find(' ');; at = folded.find(' ', start)) {
    if (at != start) words.emplace_back(folded.substr(start, at == std::string_view::npos ? at : at - start));
    if (at == std::string_view::npos) return words;
    start = at + 1;
  }
}

bool AllDigits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; }

// How well one query word matches the entry: 0 the AI itself, 1 its digits'
// start, 2 the start of its name, 3 the start of another word of it, 4 inside
// its name, 5 not at all.
int WordRank(const std::string& word, const FindableAi& e, const std::vector<std::string>& nameWords,
             const std::string& name) {
  if (AllDigits(word)) {
    const bool decimal = e.decimalDigit && word.size() == e.number.size() + 1 && word.starts_with(e.number);
    if (word == e.number || decimal) return 0;
    if (e.number.starts_with(word)) return 1;
  }
  for (std::size_t i = 0; i < nameWords.size(); ++i) {
    if (nameWords[i].starts_with(word)) return i == 0 ? 2 : 3;
  }
  return name.find(word) != std::string::npos ? 4 : 5;
}

}  // namespace

std::string FoldForFinding(std::string_view text) {
  std::string folded;
  for (const char32_t c : ToCodePoints(text)) {
    const char32_t f = Fold(c);
    if (IsWordCharacter(f)) {
      folded += EncodeCodePoint(f);
    } else if (!folded.empty() && folded.back() != ' ') {
      folded += ' ';
    }
  }
  if (!folded.empty() && folded.back() == ' ') folded.pop_back();
  return folded;
}

std::vector<std::int16_t> FindAis(std::string_view query, const std::vector<FindableAi>& entries) {
  const std::vector<std::string> words = Words(FoldForFinding(query));
  if (words.empty()) return {};
  std::vector<std::pair<int, std::int16_t>> ranked;
  for (std::size_t i = 0; i < entries.size() && i < 32768; ++i) {
    const std::string name = FoldForFinding(entries[i].name);
    const std::vector<std::string> nameWords = Words(name);
    int worst = 0;
    for (const std::string& word : words) worst = std::max(worst, WordRank(word, entries[i], nameWords, name));
    if (worst < 5) ranked.emplace_back(worst, static_cast<std::int16_t>(i));
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::int16_t> found;
  for (const auto& [rank, index] : ranked) found.push_back(index);
  return found;
}

}  // namespace velmora
