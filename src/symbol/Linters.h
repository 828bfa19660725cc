#pragma once
// GS1's content checks ("linters") of one component of an AI's data.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "symbol/CodeLists.h"
#include "symbol/Findings.h"

namespace velmora::symbol {

struct LintFault {
  FindingKind kind;
  std::size_t offset = 0;  // where in the component the fault starts, from 0
  std::size_t length = 1;  // how many characters it covers (what the finding quotes)
  std::string detail;
};

// Runs the linter called `name` on `component`; nothing when it passes or when
// no linter has that name (IsCheckedLinter tells).
std::optional<LintFault> Lint(std::string_view name, std::string_view component, const CodeLists& codes);

// Is `name` a linter that Lint decides? Every linter of the dictionary is; the
// company prefix linters check the prefix's shape only, as whether a prefix was
// ever allocated needs GS1's own register of them.
bool IsCheckedLinter(std::string_view name);

// The fault of a date whose year has `yearDigits` digits (YYMMDD, YYYYMMDD);
// `zeroDay` lets day 00 stand for "end of month".
std::optional<LintFault> DateFault(std::string_view date, std::size_t yearDigits, bool zeroDay);

// GS1's check character pair of an alphanumeric key (the csumalpha linter) for
// `data` without its last two characters.
std::string CheckCharacterPair(std::string_view data);

}  // namespace velmora::symbol
