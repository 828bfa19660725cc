#pragma once
// GS1's content checks ("linters") of one component of an AI's data.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "symbol/Findings.h"
#include "symbol/IsoCodes.h"

namespace velmora::symbol {

struct LintFault {
  FindingKind kind;
  std::size_t offset = 0;  // where in the component the fault starts, from 0
  std::size_t length = 1;  // how many characters it covers (what the finding quotes)
  std::string detail;
};

// Runs the linter called `name` on `component`; nothing when it passes or when
// the linter is one this program does not check (see UncheckedLinters).
std::optional<LintFault> Lint(std::string_view name, std::string_view component, const IsoCodes& iso);

// Is `name` a linter that Lint decides?
bool IsCheckedLinter(std::string_view name);

// Linters that need tables or rules from outside the data (UN/CEFACT package
// types, the North American coupon rules): listed, not checked. The company
// prefix linters check the prefix's shape only; allocation needs GS1's table.
const std::vector<std::string>& UncheckedLinters();

// GS1's check character pair of an alphanumeric key (the csumalpha linter) for
// `data` without its last two characters.
std::string CheckCharacterPair(std::string_view data);

}  // namespace velmora::symbol
