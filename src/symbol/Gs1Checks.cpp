#include "symbol/Gs1Checks.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <numeric>
#include <set>
#include <tuple>

#include "platform/Utf8Text.h"
#include "symbol/CharacterSets.h"
#include "symbol/Linters.h"

namespace velmora::symbol {
namespace {

bool InSet(char charset, char c) {
  switch (charset) {
    case 'N': return std::isdigit(static_cast<unsigned char>(c)) != 0;
    case 'X': return kCset82.find(c) != std::string_view::npos;
    case 'Y': return kCset39.find(c) != std::string_view::npos;
    default: return kCset64.find(c) != std::string_view::npos;
  }
}

int Needed(const AiSyntax& s) {
  return std::accumulate(s.components.begin(), s.components.end(), 0,
                         [](int sum, const Component& c) { return c.optional ? sum : sum + c.minLength; });
}

int Longest(const AiSyntax& s) {
  return std::accumulate(s.components.begin(), s.components.end(), 0,
                         [](int sum, const Component& c) { return sum + c.maxLength; });
}

// The data with each character outside ASCII (or byte that is not UTF-8) as
// one byte that no character set holds: the checks then count characters, as
// GS1's lengths do, and such a character is a fault of its own.
std::string OneBytePerCharacter(std::string_view data) {
  std::string text;
  for (std::size_t i = 0; i < data.size(); i += CodePointSize(data, i)) {
    text += static_cast<unsigned char>(data[i]) < 0x80 ? data[i] : '\x80';
  }
  return text;
}

// A finding at character `offset` of the element's data, quoting `length` characters.
Finding At(const Element& e, FindingKind kind, std::size_t offset, std::size_t length, std::string detail = {}) {
  const std::size_t start = ByteOffsetOfChar(e.data, offset);
  const std::size_t end = ByteOffsetOfChar(e.data, offset + length);
  return {kind, e.ai, offset + 1, e.data.substr(start, end - start), std::move(detail)};
}

// base64url's '=' padding: only at the end, at most two, and only where the
// whole length is a multiple of 3.
std::optional<LintFault> Padding(std::string_view part) {
  const std::size_t body = part.find_last_not_of('=') + 1;
  const std::size_t pads = part.size() - body;
  if (pads == 0 || (pads <= 2 && part.size() % 3 == 0)) return std::nullopt;
  return LintFault{FindingKind::BadPadding, body, pads, {}};
}

// The first fault of one component's characters: outside its set, or padding.
std::optional<LintFault> CharacterFault(char charset, std::string_view part) {
  const std::size_t body = charset == 'Z' ? part.find_last_not_of('=') + 1 : part.size();
  for (std::size_t i = 0; i < body; ++i) {
    if (!InSet(charset, part[i]))
      return LintFault{charset == 'N' ? FindingKind::NotDigit : FindingKind::BadCharacter, i, 1, {}};
  }
  return charset == 'Z' ? Padding(part) : std::nullopt;
}

// The first fault of the component whose data is `part`: a character, else the
// first linter that refuses it.
std::optional<LintFault> ComponentFault(const Component& c, std::string_view part, const CodeLists& codes) {
  if (auto fault = CharacterFault(c.charset, part)) return fault;
  for (const std::string_view linter : c.linters) {
    if (auto fault = Lint(linter, part, codes)) return fault;
  }
  return std::nullopt;
}

std::string Describe(std::span<const AiPatterns> alternatives) {
  std::string text;
  for (std::size_t i = 0; i < alternatives.size(); ++i) {
    if (i > 0) text += i + 1 == alternatives.size() ? " {or} " : ", ";  // the word in the reader's language
    for (std::size_t j = 0; j < alternatives[i].size(); ++j)
      ((text += j > 0 ? "+(" : "(") += alternatives[i][j]) += ")";
  }
  return text;
}

// The elements' AIs, for the pairing rules: each AI once, sorted.
using AiSet = std::vector<std::string_view>;

bool Present(const AiSet& ais, std::string_view pattern) {
  return std::any_of(ais.begin(), ais.end(), [&](std::string_view ai) { return MatchesPattern(ai, pattern); });
}

bool Contains(const AiSet& ais, std::string_view ai) { return std::binary_search(ais.begin(), ais.end(), ai); }

void CheckPairs(const std::string& ai, const AiSyntax& s, const AiSet& ais, Findings& findings) {
  for (const auto& rule : s.required) {
    const bool met = std::any_of(rule.begin(), rule.end(), [&](const AiPatterns group) {
      return std::all_of(group.begin(), group.end(), [&](std::string_view p) { return Present(ais, p); });
    });
    if (!met) findings.push_back({FindingKind::MissingPair, ai, 0, {}, Describe(rule)});
  }
  for (const std::string_view pattern : s.excluded) {
    for (const std::string_view other : ais) {
      if (other != ai && MatchesPattern(other, pattern)) {
        findings.push_back({FindingKind::ExcludedPair, ai, 0, {}, std::string(other)});
      }
    }
  }
}

// A digital signature (8030) signs a serialised key: (253), (255) and (8003)
// must then carry their optional serial part.
void CheckSignedKeys(const Elements& elements, const AiSet& ais, const SyntaxDictionary& dictionary,
                     Findings& findings) {
  if (!Contains(ais, "8030")) return;
  for (const Element& e : elements) {
    if (e.ai != "253" && e.ai != "255" && e.ai != "8003") continue;
    const AiSyntax* s = dictionary.Find(e.ai);
    if (s != nullptr && e.data.size() == static_cast<std::size_t>(Needed(*s))) {
      findings.push_back({FindingKind::NoSerial, e.ai, 0, {}, "8030"});
    }
  }
}

// Each finding once, in the order first met: a rule broken by an AI that the
// barcode repeats is one fault.
Findings Once(Findings findings) {
  if (findings.size() < 2) return findings;
  std::set<std::tuple<FindingKind, std::string, std::size_t, std::string, std::string>> seen;
  Findings kept;
  for (Finding& f : findings) {
    if (seen.emplace(f.kind, f.ai, f.position, f.found, f.detail).second) kept.push_back(std::move(f));
  }
  return kept;
}

// A date written as people write it (2027-06-30, 30.06.2027) where the AI's
// dates are YYMMDD: said as one finding, with the date as the AI wants it when
// the form says which is the day (ISO's year first).
std::optional<Finding> DateForm(const Element& e, const AiSyntax& s) {
  if (s.components.empty() || e.data.find_first_of("-./") == std::string::npos) return std::nullopt;
  const auto linters = s.components.front().linters;
  if (std::none_of(linters.begin(), linters.end(), [](std::string_view l) { return l.starts_with("yymmd"); })) {
    return std::nullopt;
  }
  static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
  int year = 0, month = 0, day = 0;
  char a = 0, b = 0;  // the separators
  std::string how = "such as 270630 for 30 June 2027";
  const std::string& d = e.data;
  const bool isoShape = d.size() == 10 && d.find_first_not_of("0123456789", 0) == 4 && d[7] == d[4] &&
                        std::isdigit(static_cast<unsigned char>(d[5])) &&
                        std::isdigit(static_cast<unsigned char>(d[6]));
  if (isoShape && std::sscanf(d.c_str(), "%4d%c%2d%c%2d", &year, &a, &month, &b, &day) == 5 && month >= 1 &&
      month <= 12 && day >= 0 && day <= 31) {
    char yymmdd[8];
    std::snprintf(yymmdd, sizeof yymmdd, "%02d%02d%02d", year % 100, month, day);
    how = std::string(yymmdd) + " for " + (day == 0 ? "" : std::to_string(day) + " ") + kMonths[month - 1] + " " +
          std::to_string(year);
  }
  return Finding{FindingKind::DateForm, e.ai, 1, e.data, how};
}

}  // namespace

Findings CheckElement(const Element& e, const SyntaxDictionary& dictionary, const CodeLists& codes) {
  const AiSyntax* s = dictionary.Find(e.ai);
  if (s == nullptr) return {{FindingKind::UnknownAi, e.ai, 0, {}, {}}};
  if (auto date = DateForm(e, *s)) return {*date};
  const bool ascii =
      std::all_of(e.data.begin(), e.data.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  const std::string collapsed = ascii ? std::string() : OneBytePerCharacter(e.data);
  const std::string_view data = ascii ? std::string_view(e.data) : std::string_view(collapsed);
  Findings findings;
  std::size_t offset = 0;
  for (const Component& c : s->components) {
    const std::size_t remaining = data.size() - offset;
    if (remaining == 0 && c.optional) break;  // optional components may be left out
    if (remaining < static_cast<std::size_t>(c.minLength)) {
      // What is there is still checked for characters; its linters would only
      // repeat that it is cut short.
      if (auto fault = CharacterFault(c.charset, data.substr(offset))) {
        findings.push_back(At(e, fault->kind, offset + fault->offset, fault->length, fault->detail));
      }
      findings.push_back(At(e, FindingKind::TooShort, data.size(), 0, std::to_string(Needed(*s))));
      return findings;
    }
    const std::string_view part = data.substr(offset, std::min<std::size_t>(remaining, c.maxLength));
    if (auto fault = ComponentFault(c, part, codes)) {
      findings.push_back(At(e, fault->kind, offset + fault->offset, fault->length, fault->detail));
    }
    offset += part.size();
  }
  if (offset < data.size()) {
    findings.push_back(At(e, FindingKind::TooLong, offset, data.size() - offset, std::to_string(Longest(*s))));
  }
  return findings;
}

// Each AI that comes again with another value than its first.
void CheckRepeats(const Elements& elements, Findings& findings) {
  constexpr std::size_t kFew = 16;  // a barcode's few AIs are compared pair by pair, without sorting
  if (elements.size() <= kFew) {
    for (std::size_t i = 1; i < elements.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        if (elements[j].ai != elements[i].ai) continue;
        if (elements[j].data != elements[i].data)
          findings.push_back({FindingKind::Duplicate, elements[i].ai, 0, {}, elements[j].data});
        break;
      }
    }
    return;
  }
  std::vector<const Element*> byAi;
  for (const Element& e : elements) byAi.push_back(&e);
  std::stable_sort(byAi.begin(), byAi.end(), [](const Element* a, const Element* b) { return a->ai < b->ai; });
  std::size_t first = 0;  // where the run of byAi[i]'s AI starts
  for (std::size_t i = 1; i < byAi.size(); ++i) {
    if (byAi[i]->ai != byAi[first]->ai) {
      first = i;
    } else if (byAi[i]->data != byAi[first]->data) {
      findings.push_back({FindingKind::Duplicate, byAi[i]->ai, 0, {}, byAi[first]->data});
    }
  }
}

Findings CheckElements(const Elements& elements, const SyntaxDictionary& dictionary, const CodeLists& codes) {
  Findings findings;
  for (const Element& e : elements) {
    for (Finding& f : CheckElement(e, dictionary, codes)) findings.push_back(std::move(f));
  }
  CheckRepeats(elements, findings);
  AiSet ais;
  for (const Element& e : elements) ais.push_back(e.ai);
  std::sort(ais.begin(), ais.end());
  ais.erase(std::unique(ais.begin(), ais.end()), ais.end());
  AiSet paired;  // a repeated AI's pairings are its first one's
  for (const Element& e : elements) {
    const AiSyntax* s = dictionary.Find(e.ai);
    if (s == nullptr || std::find(paired.begin(), paired.end(), e.ai) != paired.end()) continue;
    paired.push_back(e.ai);
    CheckPairs(e.ai, *s, ais, findings);
  }
  CheckSignedKeys(elements, ais, dictionary, findings);
  return Once(std::move(findings));
}

}  // namespace velmora::symbol
