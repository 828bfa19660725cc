#include "symbol/Gs1Checks.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "symbol/CharacterSets.h"
#include "symbol/Linters.h"

namespace velmora::symbol {
namespace {

// The first character of `part` outside the component's set, or npos.
std::size_t BadCharacterAt(char charset, std::string_view part) {
  for (std::size_t i = 0; i < part.size(); ++i) {
    const char c = part[i];
    bool ok = false;
    switch (charset) {
      case 'N': ok = std::isdigit(static_cast<unsigned char>(c)) != 0; break;
      case 'X': ok = kCset82.find(c) != std::string_view::npos; break;
      case 'Y': ok = kCset39.find(c) != std::string_view::npos; break;
      // base64url, with '=' padding only at the end
      default: ok = kCset64.find(c) != std::string_view::npos || (c == '=' && part.find_first_not_of('=', i) == std::string_view::npos); break;
    }
    if (!ok) return i;
  }
  return std::string_view::npos;
}

int Needed(const AiSyntax& s) {
  return std::accumulate(s.components.begin(), s.components.end(), 0,
                         [](int sum, const Component& c) { return c.optional ? sum : sum + c.minLength; });
}

int Longest(const AiSyntax& s) {
  return std::accumulate(s.components.begin(), s.components.end(), 0,
                         [](int sum, const Component& c) { return sum + c.maxLength; });
}

Finding At(const Element& e, FindingKind kind, std::size_t offset, std::size_t length, std::string detail = {}) {
  return {kind, e.ai, offset + 1, e.data.substr(std::min(offset, e.data.size()), length), std::move(detail)};
}

// One component, starting at `offset` of the element's data; advances `offset`.
std::optional<Finding> CheckComponent(const Element& e, const AiSyntax& s, const Component& c, std::size_t& offset,
                                      const IsoCodes& iso) {
  const std::size_t remaining = e.data.size() - offset;
  const auto max = static_cast<std::size_t>(c.maxLength);
  if (remaining < static_cast<std::size_t>(c.minLength)) {
    return At(e, FindingKind::TooShort, e.data.size(), 0, std::to_string(Needed(s)));
  }
  const std::string_view part = std::string_view(e.data).substr(offset, std::min(remaining, max));
  if (const std::size_t bad = BadCharacterAt(c.charset, part); bad != std::string_view::npos) {
    return At(e, c.charset == 'N' ? FindingKind::NotDigit : FindingKind::BadCharacter, offset + bad, 1);
  }
  for (const std::string& linter : c.linters) {
    if (const auto fault = Lint(linter, part, iso)) {
      return At(e, fault->kind, offset + fault->offset, fault->length, fault->detail);
    }
  }
  offset += part.size();
  return std::nullopt;
}

std::string Describe(const std::vector<std::vector<std::string>>& alternatives) {
  std::string text;
  for (std::size_t i = 0; i < alternatives.size(); ++i) {
    if (i > 0) text += i + 1 == alternatives.size() ? " or " : ", ";
    for (std::size_t j = 0; j < alternatives[i].size(); ++j) text += (j > 0 ? "+(" : "(") + alternatives[i][j] + ")";
  }
  return text;
}

bool Present(const Elements& elements, std::string_view pattern) {
  for (const Element& e : elements) {
    if (MatchesPattern(e.ai, pattern)) return true;
  }
  return false;
}

void CheckPairs(const Element& e, const AiSyntax& s, const Elements& all, Findings& findings) {
  for (const auto& rule : s.required) {
    const bool met = std::any_of(rule.begin(), rule.end(), [&](const std::vector<std::string>& group) {
      return std::all_of(group.begin(), group.end(), [&](const std::string& p) { return Present(all, p); });
    });
    if (!met) findings.push_back({FindingKind::MissingPair, e.ai, 0, {}, Describe(rule)});
  }
  for (const std::string& pattern : s.excluded) {
    for (const Element& other : all) {
      if (other.ai != e.ai && MatchesPattern(other.ai, pattern)) {
        findings.push_back({FindingKind::ExcludedPair, e.ai, 0, {}, other.ai});
      }
    }
  }
}

}  // namespace

std::optional<Finding> CheckElement(const Element& e, const SyntaxDictionary& dictionary, const IsoCodes& iso) {
  const AiSyntax* s = dictionary.Find(e.ai);
  if (s == nullptr) return Finding{FindingKind::UnknownAi, e.ai, 0, {}, {}};
  std::size_t offset = 0;
  for (const Component& c : s->components) {
    if (offset == e.data.size() && c.optional) break;  // optional components may be left out
    if (auto finding = CheckComponent(e, *s, c, offset, iso)) return finding;
  }
  if (offset < e.data.size()) return At(e, FindingKind::TooLong, offset, e.data.size() - offset, std::to_string(Longest(*s)));
  return std::nullopt;
}

Findings CheckElements(const Elements& elements, const SyntaxDictionary& dictionary, const IsoCodes& iso) {
  Findings findings;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (auto finding = CheckElement(elements[i], dictionary, iso)) findings.push_back(std::move(*finding));
    for (std::size_t j = 0; j < i; ++j) {
      if (elements[j].ai == elements[i].ai && elements[j].data != elements[i].data) {
        findings.push_back({FindingKind::Duplicate, elements[i].ai, 0, {}, elements[j].data});
        break;
      }
    }
  }
  for (const Element& e : elements) {
    if (const AiSyntax* s = dictionary.Find(e.ai)) CheckPairs(e, *s, elements, findings);
  }
  return findings;
}

}  // namespace velmora::symbol
