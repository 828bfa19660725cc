#include "symbol/SyntaxDictionary.h"

#include <algorithm>
#include <stdexcept>

namespace velmora::symbol {
namespace {

std::vector<std::string> SplitOn(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
    parts.emplace_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

// The words of a line, as a stream would read them: runs of anything but white space.
std::vector<std::string> Tokens(std::string_view line) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  std::vector<std::string> tokens;
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && blank(line[at])) ++at;
    if (at == line.size()) return tokens;
    const std::size_t start = at;
    while (at < line.size() && !blank(line[at])) ++at;
    tokens.emplace_back(line.substr(start, at - start));
  }
}

bool IsFlags(const std::string& token) {
  return token.find_first_not_of("*!?\"$%&'()+,-./:;<=>@\\^_`{|}~") == std::string::npos;
}

bool IsDigits(std::string_view s) {
  return !s.empty() && s.size() <= 4 && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// "N3", "X..20", "[N..12]" and the linters after it: "[N3],iso3166".
bool ParseComponent(std::string_view token, Component& c) {
  const std::size_t comma = token.find(',');
  std::string_view shape = token.substr(0, comma);
  c.optional = shape.starts_with('[');
  if (c.optional != shape.ends_with(']')) return false;
  if (c.optional) shape = shape.substr(1, shape.size() - 2);
  if (shape.empty() || std::string_view("NXYZ").find(shape[0]) == std::string_view::npos) return false;
  c.charset = shape[0];
  const bool variable = shape.substr(1).starts_with("..");
  const std::string_view length = shape.substr(variable ? 3 : 1);
  if (!IsDigits(length)) return false;
  c.maxLength = std::stoi(std::string(length));
  c.minLength = variable ? 1 : c.maxLength;
  c.linters.clear();
  if (comma != std::string_view::npos) {
    for (std::string& linter : SplitOn(token.substr(comma + 1), ',')) {
      if (linter.empty() || linter.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != std::string::npos) {
        return false;
      }
      c.linters.push_back(std::move(linter));
    }
  }
  return true;
}

// "01", "3100-3105": two to four digits, or a range of them.
bool IsAiOrRange(std::string_view ais) {
  const std::size_t dash = ais.find('-');
  if (dash == std::string_view::npos) return IsDigits(ais) && ais.size() >= 2;
  return IsDigits(ais.substr(0, dash)) && IsDigits(ais.substr(dash + 1)) && dash >= 2;
}

void ParseAttribute(const std::string& token, AiSyntax& syntax) {
  if (token.starts_with("req=")) {
    std::vector<std::vector<std::string>> alternatives;
    for (const std::string& group : SplitOn(token.substr(4), ',')) alternatives.push_back(SplitOn(group, '+'));
    syntax.required.push_back(std::move(alternatives));
  } else if (token.starts_with("ex=")) {
    for (std::string& pattern : SplitOn(token.substr(3), ',')) syntax.excluded.push_back(std::move(pattern));
  } else if (token == "dlpkey") {
    syntax.dlPrimaryKey = true;
  } else if (token.starts_with("dlpkey=")) {
    syntax.dlPrimaryKey = true;
    for (const std::string& order : SplitOn(token.substr(7), '|')) syntax.dlQualifiers.push_back(SplitOn(order, ','));
  }
}

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

// The AIs of "3100-3105" (or of one AI).
std::vector<std::string> Expand(const std::string& ais) {
  const auto dash = ais.find('-');
  if (dash == std::string::npos) return {ais};
  const std::string first = ais.substr(0, dash);
  std::vector<std::string> all;
  for (int n = std::stoi(first); n <= std::stoi(ais.substr(dash + 1)); ++n) {
    std::string ai = std::to_string(n);
    ai.insert(0, first.size() - ai.size(), '0');
    all.push_back(std::move(ai));
  }
  return all;
}

}  // namespace

bool MatchesPattern(std::string_view ai, std::string_view pattern) {
  if (ai.size() != pattern.size()) return false;
  for (std::size_t i = 0; i < ai.size(); ++i) {
    if (pattern[i] != 'n' && pattern[i] != ai[i]) return false;
  }
  return true;
}

SyntaxDictionary SyntaxDictionary::Parse(std::string_view text) {
  SyntaxDictionary dictionary;
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    const std::size_t hash = line.find('#');
    AiSyntax syntax;
    if (hash != std::string_view::npos) {
      const std::size_t title = line.find_first_not_of(' ', hash + 1);
      syntax.title = title == std::string_view::npos ? "" : std::string(line.substr(title));
      line = line.substr(0, hash);
    }
    std::vector<std::string> tokens = Tokens(line);
    if (tokens.empty()) continue;  // a comment or a blank line
    const std::string ais = tokens.front();
    if (!IsAiOrRange(ais)) {
      throw std::runtime_error("syntax dictionary line " + std::to_string(number) + ": no AI at the start");
    }
    for (std::size_t t = 1; t < tokens.size(); ++t) {
      const std::string& token = tokens[t];
      Component component;
      if (syntax.components.empty() && IsFlags(token)) {
        syntax.predefinedLength = token.find('*') != std::string::npos;
        syntax.dlAttribute = token.find('?') != std::string::npos;
      } else if (ParseComponent(token, component)) {
        syntax.components.push_back(std::move(component));
      } else {
        ParseAttribute(token, syntax);
      }
    }
    if (syntax.components.empty()) {
      throw std::runtime_error("syntax dictionary line " + std::to_string(number) + ": AI " + ais +
                               " has no data format");
    }
    dictionary.syntaxes_.push_back(std::move(syntax));
    if (dictionary.syntaxes_.size() >= kNone) throw std::runtime_error("syntax dictionary: too many lines");
    for (std::string& ai : Expand(ais)) {
      auto& line = dictionary.lines_[static_cast<std::size_t>(Slot(ai))];
      if (line == kNone) dictionary.ais_.push_back(std::move(ai));
      line = static_cast<std::uint16_t>(dictionary.syntaxes_.size() - 1);
    }
  }
  std::sort(dictionary.ais_.begin(), dictionary.ais_.end());
  return dictionary;
}

const AiSyntax* SyntaxDictionary::Find(std::string_view ai) const {
  const int slot = Slot(ai);
  if (slot < 0 || lines_[static_cast<std::size_t>(slot)] == kNone) return nullptr;
  return &syntaxes_[lines_[static_cast<std::size_t>(slot)]];
}

std::vector<std::pair<std::string, const AiSyntax&>> SyntaxDictionary::Entries() const {
  std::vector<std::pair<std::string, const AiSyntax&>> all;
  for (const std::string& ai : ais_) all.emplace_back(ai, *Find(ai));
  return all;
}

std::string SyntaxDictionary::AiAtStart(std::string_view text) const {
  for (std::size_t digits = 2; digits <= 4 && digits <= text.size(); ++digits) {
    if (Find(text.substr(0, digits)) != nullptr) return std::string(text.substr(0, digits));
  }
  return {};
}

}  // namespace velmora::symbol
