#include <gtest/gtest.h>

#include "symbol/Formula.h"

namespace velmora::symbol {
namespace {

const VariableValues kValues = {{"LOT", "ABC123"}, {"SHORT", "12"}, {"DIGITS", "0000001234567"}};

TEST(Formula, EvaluatesWhatTheWizardWrites) {
  const struct {
    const char* formula;
    const char* value;
  } rows[] = {
      // the worked example, as the template holds it
      {R"f("{CODE C}{FNC1}010000001234567" & Modulo10("0000001234567") & "{CODE B}10" & LOT)f",
       "{CODE C}{FNC1}0100000012345670{CODE B}10ABC123"},
      {R"f("(01)0000001234567" & Modulo10("0000001234567") & "(10)" & LOT)f", "(01)00000012345670(10)ABC123"},
      // a fixed-length AI fed by a variable is padded, then cut
      {R"f("{CODE C}{FNC1}3712" & Left(SHORT & "000000", 6))f", "{CODE C}{FNC1}3712120000"},
      {R"f(Left(LOT & "000000", 3))f", "ABC"},
      {R"f(Modulo10(DIGITS))f", "0"},
      {R"f(modulo10("123456789012" & "3"))f", "1"},
      {R"f("" & "")f", ""},
      {"", ""},
      {"\"caf\xC3\xA9\" & Left(\"\xC3\xA9t\xC3\xA9\", 2)", "caf\xC3\xA9\xC3\xA9t"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.formula);
    EXPECT_EQ(Formula::Parse(row.formula).Evaluate(kValues), row.value);
  }
}

TEST(Formula, ErrorsSayWhatAndWhichColumn) {
  const struct {
    const char* formula;
    const char* message;
  } rows[] = {
      {R"f("{CODE C}{FNC1}01" & LOT & Right(LOT, 2))f", "formula column 28: unknown function Right"},
      {R"f("abc)f", "formula column 1: the quoted text is not closed"},
      {R"f("a" & )f", "formula column 7: a term is missing"},
      {R"f("a" "b")f", "formula column 5: unexpected '\"'"},
      {R"f(Left(LOT))f", "formula column 9: Left needs a count after a comma"},
      {R"f(Left(LOT, x))f", "formula column 11: Left needs a whole number as its count"},
      {R"f(Modulo10(LOT)f", "formula column 13: ')' expected"},
      {R"f("a" & $)f", "formula column 7: unexpected '$'"},
      {R"f(Modulo10(LOT))f", "formula column 1: Modulo10 needs digits, got 'ABC123'"},
      {R"f("x" & MISSING)f", "formula column 7: variable MISSING has no value"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.formula);
    try {
      Formula::Parse(row.formula).Evaluate(kValues);
      ADD_FAILURE() << "no error";
    } catch (const FormulaError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

TEST(Formula, DeepNestingIsRefusedNotRecursedInto) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "Modulo10(";
  EXPECT_THROW(Formula::Parse(deep), FormulaError);
}

TEST(Formula, ListsTheVariablesItReads) {
  EXPECT_EQ(Formula::Parse(R"f(LOT & Left(SERIAL & LOT, 3) & Modulo10(GTIN))f").Variables(),
            (std::vector<std::string>{"LOT", "SERIAL", "GTIN"}));
}

TEST(Modulo10, GtinAndSsccCheckDigits) {
  EXPECT_EQ(Modulo10("0000001234567"), '0');
  EXPECT_EQ(Modulo10("9501234567890"), '3');      // GTIN-13 9501234567890 3 (GS1 General Specifications)
  EXPECT_EQ(Modulo10("37610425002123456"), '9');  // SSCC 376104250021234569
  EXPECT_EQ(Modulo10(""), '0');
}

}  // namespace
}  // namespace velmora::symbol
