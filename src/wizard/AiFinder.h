#pragma once
// Finding an AI in the page-0 list by the words of its name or its digits
// ("best before", "lot", "17", "3103"), letter case and accents ignored,
// every word of the query matching. The list itself is never changed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// `text` folded for finding: lower case, Latin letters without their accents,
// every run of blanks and punctuation one blank.
std::string FoldForFinding(std::string_view text);

// One entry of the list as the finder sees it: the AI's digits, whether a
// decimal digit follows them (310n), and its name.
struct FindableAi {
  std::string number;
  bool decimalDigit = false;
  std::string name;
};

// The list positions of the entries matching `query` (every word of it), best
// first: the AI itself, then AIs starting with its digits, then names starting
// with the words, then names with a word starting so, then names holding them
// anywhere; list order within each.
std::vector<std::int16_t> FindAis(std::string_view query, const std::vector<FindableAi>& entries);

}  // namespace velmora
