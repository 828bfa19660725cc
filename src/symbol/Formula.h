#pragma once
// The template's formula language: quoted literals joined by " & ", variable
// names, Left(x, n) and Modulo10(x). Parsed once, evaluated for many rows.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::symbol {

// A formula that does not parse or cannot be evaluated; the column counts from 1.
class FormulaError : public std::runtime_error {
 public:
  FormulaError(std::size_t column, const std::string& reason);
  std::size_t Column() const { return column_; }

 private:
  std::size_t column_;
};

using VariableValues = std::map<std::string, std::string, std::less<>>;

class Formula {
 public:
  struct Term;
  // Throws FormulaError with the column of the first fault.
  static Formula Parse(std::string_view text);
  std::string Evaluate(const VariableValues& values) const;
  // The variable names the formula reads, in order of first use.
  std::vector<std::string> Variables() const;
  // Each `Left(NAME & "0000", n)`: a variable cut or padded on the right to n
  // characters, with the literal text just before it (where the AI stands).
  struct Padded {
    std::string name;
    std::size_t width = 0;
    std::string before;
  };
  std::vector<Padded> PaddedVariables() const;

  Formula(Formula&&) noexcept;
  Formula& operator=(Formula&&) noexcept;
  ~Formula();

 private:
  Formula() = default;
  std::vector<std::unique_ptr<Term>> terms_;
};

// Where `name` stops being a variable name a formula can read (letters of any
// language, digits, '_'): the byte offset of its first other character, 0 for
// an empty name, npos when all of it can be read.
std::size_t BadNameCharacter(std::string_view name);

// The GS1 Modulo 10 check digit of a digit string (weights 3 and 1 from the right).
char Modulo10(std::string_view digits);

}  // namespace velmora::symbol
