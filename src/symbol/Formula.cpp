#include "symbol/Formula.h"

#include <algorithm>
#include <cctype>

#include "platform/CaseFold.h"
#include "platform/Utf8Text.h"

namespace velmora::symbol {

namespace {

// Letters (of any language, as UTF-8), digits and '_': what a host's variable
// names are made of, and all a formula can read as one.
bool IsNameByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return std::isalnum(byte) || c == '_' || byte >= 0x80;
}

}  // namespace

std::size_t BadNameCharacter(std::string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (!IsNameByte(name[i])) return i;
  }
  return name.empty() ? 0 : std::string_view::npos;
}

struct Formula::Term {
  enum class Kind { Literal, Variable, Left, Modulo10 } kind;
  std::size_t column;
  std::string text;                             // the literal, or the variable's name
  std::vector<std::unique_ptr<Term>> argument;  // Left and Modulo10: a formula of its own
  std::size_t count = 0;                        // Left's n
};

namespace {

using Terms = std::vector<std::unique_ptr<Formula::Term>>;

// Nesting beyond this is no formula a wizard writes; refusing it keeps the stack safe.
constexpr int kMaxDepth = 64;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Terms ParseAll() {
    SkipBlanks();
    if (pos_ == text_.size()) return {};  // no complete AI: the empty formula
    Terms terms = ParseTerms(0);
    SkipBlanks();
    if (pos_ < text_.size()) Fail("unexpected '" + std::string(1, text_[pos_]) + "'");
    return terms;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const { throw FormulaError(pos_ + 1, reason); }

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

  bool Take(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) return ++pos_, true;
    return false;
  }

  Terms ParseTerms(int depth) {
    if (depth > kMaxDepth) Fail("nested too deeply");
    Terms terms;
    terms.push_back(ParseTerm(depth));
    while (Take('&')) terms.push_back(ParseTerm(depth));
    return terms;
  }

  std::unique_ptr<Formula::Term> ParseTerm(int depth) {
    SkipBlanks();
    auto term = std::make_unique<Formula::Term>();
    term->column = pos_ + 1;
    if (pos_ >= text_.size()) Fail("a term is missing");
    if (text_[pos_] == '"') return ParseLiteral(std::move(term));
    const std::string name = ParseName();
    if (!Take('(')) {
      term->kind = Formula::Term::Kind::Variable;
      term->text = name;
      return term;
    }
    if (EqualsIgnoreCase(name, "Left")) {
      term->kind = Formula::Term::Kind::Left;
      term->argument = ParseTerms(depth + 1);
      if (!Take(',')) Fail("Left needs a count after a comma");
      term->count = ParseCount();
    } else if (EqualsIgnoreCase(name, "Modulo10")) {
      term->kind = Formula::Term::Kind::Modulo10;
      term->argument = ParseTerms(depth + 1);
    } else {
      pos_ = term->column - 1;
      Fail("unknown function " + name);
    }
    if (!Take(')')) Fail("')' expected");
    return term;
  }

  std::unique_ptr<Formula::Term> ParseLiteral(std::unique_ptr<Formula::Term> term) {
    const std::size_t end = text_.find('"', pos_ + 1);
    if (end == std::string_view::npos) Fail("the quoted text is not closed");
    term->kind = Formula::Term::Kind::Literal;
    term->text = std::string(text_.substr(pos_ + 1, end - pos_ - 1));
    pos_ = end + 1;
    return term;
  }

  std::string ParseName() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsNameByte(text_[pos_])) ++pos_;
    if (pos_ == start) Fail("unexpected '" + std::string(1, text_[pos_]) + "'");
    return std::string(text_.substr(start, pos_ - start));
  }

  std::size_t ParseCount() {
    SkipBlanks();
    const std::size_t start = pos_;
    std::size_t count = 0;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) && count < 100000) {
      count = count * 10 + static_cast<std::size_t>(text_[pos_++] - '0');
    }
    if (pos_ == start) Fail("Left needs a whole number as its count");
    return count;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

std::string EvaluateTerms(const Terms& terms, const VariableValues& values);

std::string EvaluateTerm(const Formula::Term& t, const VariableValues& values) {
  switch (t.kind) {
    case Formula::Term::Kind::Literal: return t.text;
    case Formula::Term::Kind::Variable: {
      const auto found = values.find(t.text);
      if (found == values.end()) throw FormulaError(t.column, "variable " + t.text + " has no value");
      return found->second;
    }
    case Formula::Term::Kind::Left: return LeftChars(EvaluateTerms(t.argument, values), t.count);
    case Formula::Term::Kind::Modulo10: {
      const std::string digits = EvaluateTerms(t.argument, values);
      if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        throw FormulaError(t.column, "Modulo10 needs digits, got '" + digits + "'");
      }
      return std::string(1, Modulo10(digits));
    }
  }
  return {};
}

std::string EvaluateTerms(const Terms& terms, const VariableValues& values) {
  std::string result;
  for (const auto& term : terms) result += EvaluateTerm(*term, values);
  return result;
}

void CollectVariables(const Terms& terms, std::vector<std::string>& names) {
  for (const auto& t : terms) {
    if (t->kind == Formula::Term::Kind::Variable && std::find(names.begin(), names.end(), t->text) == names.end()) {
      names.push_back(t->text);
    }
    CollectVariables(t->argument, names);
  }
}

}  // namespace

FormulaError::FormulaError(std::size_t column, const std::string& reason)
    : std::runtime_error("formula column " + std::to_string(column) + ": " + reason), column_(column) {}

Formula::Formula(Formula&&) noexcept = default;
Formula& Formula::operator=(Formula&&) noexcept = default;
Formula::~Formula() = default;

Formula Formula::Parse(std::string_view text) {
  Formula formula;
  formula.terms_ = Parser(text).ParseAll();
  return formula;
}

std::string Formula::Evaluate(const VariableValues& values) const { return EvaluateTerms(terms_, values); }

std::vector<Formula::Padded> Formula::PaddedVariables() const {
  std::vector<Padded> padded;
  for (std::size_t i = 0; i < terms_.size(); ++i) {
    const Term& t = *terms_[i];
    if (t.kind != Term::Kind::Left || t.argument.empty() || t.argument[0]->kind != Term::Kind::Variable) continue;
    const bool pads = std::all_of(t.argument.begin() + 1, t.argument.end(),
                                  [](const auto& a) { return a->kind == Term::Kind::Literal; });
    if (!pads) continue;
    const bool literalBefore = i > 0 && terms_[i - 1]->kind == Term::Kind::Literal;
    padded.push_back({t.argument[0]->text, t.count, literalBefore ? terms_[i - 1]->text : std::string()});
  }
  return padded;
}

std::vector<std::string> Formula::Variables() const {
  std::vector<std::string> names;
  CollectVariables(terms_, names);
  return names;
}

char Modulo10(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace velmora::symbol
