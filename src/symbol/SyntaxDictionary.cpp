#include "symbol/SyntaxDictionary.h"

#include "symbol/Gs1Tables.h"

namespace velmora::symbol {
namespace {

constexpr std::uint16_t kNone = 0xFFFF;

// 2 digits -> 0..99, 3 -> 100..1099, 4 -> 1100..11099; -1 for anything else.
int Slot(std::string_view ai) {
  if (ai.size() < 2 || ai.size() > 4) return -1;
  int value = 0;
  for (const char c : ai) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value + (ai.size() == 2 ? 0 : ai.size() == 3 ? 100 : 1100);
}

}  // namespace

bool MatchesPattern(std::string_view ai, std::string_view pattern) {
  if (ai.size() != pattern.size()) return false;
  for (std::size_t i = 0; i < ai.size(); ++i) {
    if (pattern[i] != 'n' && pattern[i] != ai[i]) return false;
  }
  return true;
}

const AiSyntax* SyntaxDictionary::Find(std::string_view ai) const {
  const int slot = Slot(ai);
  if (slot < 0 || static_cast<std::size_t>(slot) >= kGs1Tables.lines.size()) return nullptr;
  const std::uint16_t line = kGs1Tables.lines[static_cast<std::size_t>(slot)];
  return line == kNone ? nullptr : &kGs1Tables.syntaxes[line];
}

std::vector<std::pair<std::string, const AiSyntax&>> SyntaxDictionary::Entries() const {
  std::vector<std::pair<std::string, const AiSyntax&>> all;
  for (const std::string_view ai : kGs1Tables.ais) all.emplace_back(std::string(ai), *Find(ai));
  return all;
}

std::string SyntaxDictionary::AiAtStart(std::string_view text) const {
  for (std::size_t digits = 2; digits <= 4 && digits <= text.size(); ++digits) {
    if (Find(text.substr(0, digits)) != nullptr) return std::string(text.substr(0, digits));
  }
  return {};
}

}  // namespace velmora::symbol
