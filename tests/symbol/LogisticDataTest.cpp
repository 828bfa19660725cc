// What a label of several symbols is made of: an element string split over
// GS1-128 symbols, and the data titles and readable values of a logistics label.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/ShippedData.h"
#include "symbol/DataTitles.h"
#include "symbol/Elements.h"
#include "symbol/Gs1_128Limits.h"
#include "symbol/Gs1_128Split.h"

namespace velmora::symbol {
namespace {

const SyntaxDictionary& Dictionary() { return test::ShippedGs1().dictionary; }

constexpr const char* kPallet = "(00)095060000000000015(02)09506000134352(37)48(10)LOT2027A(15)271231";

TEST(Gs1_128Split, EachSymbolWithinTheLimitsEveryAiOnceTheSsccLowest) {
  const struct {
    const char* elements;
    SplitRules rules;
    std::vector<std::string> symbols;  // top to bottom
  } rows[] = {
      {"(01)09506000134352(10)A1", {0.4, 0, false}, {"(01)09506000134352(10)A1"}},
      // AIs of predefined length first: no FNC1 after (10)
      {"(10)A1(21)S5(01)09506000134352", {0.4, 0, false}, {"(01)09506000134352(10)A1(21)S5"}},
      {"(00)095060000000000015(01)09506000134352", {0.4, 0, true}, {"(01)09506000134352", "(00)095060000000000015"}},
      // 60 characters: more than one symbol holds
      {kPallet, {0.4, 0, false}, {"(02)09506000134352(15)271231(37)48(10)LOT2027A", "(00)095060000000000015"}},
      // 96 mm across at a 0.5 mm module: each symbol at most 192 modules with its quiet zones
      {kPallet, {0.5, 96, true}, {"(02)09506000134352(37)48", "(15)271231", "(10)LOT2027A", "(00)095060000000000015"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.elements) + " at " + std::to_string(row.rules.maxLength));
    const Elements all = ParseElementString(row.elements);
    const std::vector<Elements> symbols = SplitOverGs1_128(all, Dictionary(), row.rules);
    std::vector<std::string> shown;
    for (const Elements& s : symbols) {
      shown.push_back(HumanReadable(s));
      EXPECT_LE(Gs1_128Characters(s, Dictionary()), kMaxGs1_128Characters);
      const double limit = row.rules.maxLength > 0 ? row.rules.maxLength : kMaxGs1_128Millimetres;
      EXPECT_LE(Gs1_128Length(EncodeGs1_128(s), row.rules.module), limit);
    }
    EXPECT_EQ(shown, row.symbols);
    EXPECT_EQ(CarriedOnce(all, symbols), "");
  }
  // An AI no symbol of the width can hold is said, with what would hold it.
  EXPECT_THROW(
      {
        try {
          SplitOverGs1_128(ParseElementString("(400)ORDER-2027-0001-ABCDEFGHIJKLMN"), Dictionary(), {1.0, 100, false});
        } catch (const SplitError& e) {
          EXPECT_STREQ(e.what(),
                       "AI (400) alone makes a GS1-128 symbol longer than 100.0 mm at a 1.00 mm module with its quiet "
                       "zones: a smaller --module or a wider --media holds it");
          throw;
        }
      },
      SplitError);
}

TEST(Gs1_128Split, CarriedOnceNamesAnAiMissingTwiceOrExtra) {
  const Elements all = ParseElementString("(01)09506000134352(10)A1");
  const struct {
    std::vector<const char*> symbols;
    std::string says;
  } rows[] = {
      {{"(10)A1", "(01)09506000134352"}, ""},
      {{"(01)09506000134352"}, "AI (10) is in no symbol"},
      {{"(01)09506000134352(10)A1", "(10)A1"}, "AI (10) is in 2 symbols"},
      {{"(01)09506000134352(10)A1(21)X"}, "AI (21) is in a symbol but not in the label's data"},
  };
  for (const auto& row : rows) {
    std::vector<Elements> symbols;
    for (const char* s : row.symbols) symbols.push_back(ParseElementString(s));
    EXPECT_EQ(CarriedOnce(all, symbols), row.says);
  }
}

TEST(DataTitles, DatesReadableDecimalsPlacedNoAi) {
  const struct {
    const char* element;
    const char* title;
    const char* value;
  } rows[] = {
      {"(00)095060000000000015", "SSCC", "095060000000000015"},
      {"(15)271231", "BEST BEFORE or BEST BY (dd.mm.yy)", "31.12.27"},
      {"(3103)001250", "NET WEIGHT (kg)", "1.250"},
      {"(3100)000048", "NET WEIGHT (kg)", "48"},
      {"(3925)0000125", "PRICE", "0.00125"},
      {"(3912)97801250", "AMOUNT", "978 12.50"},
      {"(7007)271201271231", "HARVEST DATE", "01.12.27 31.12.27"},
      {"(4324)2712311530", "NOT BEF DEL DT", "31.12.27 1530"},
  };
  for (const auto& row : rows) {
    const TitledValue t = Titled(ParseElementString(row.element).front(), Dictionary());
    EXPECT_EQ(t.title, row.title) << row.element;
    EXPECT_EQ(t.value, row.value) << row.element;
  }
}

// Every AI the wizard's catalogue offers is titled on a logistics label as the dictionary titles it.
TEST(DataTitles, EveryCatalogueAiHasTheDictionarysTitle) {
  std::ifstream file(std::string(VELMORA_SHIPPED_DATA_DIR) + "/ID128.inf");
  std::stringstream text;
  text << file.rdbuf();
  const std::string catalogue = text.str();
  const std::regex number("id\\d+_number=(\\d+)");
  int count = 0;
  for (auto at = std::sregex_iterator(catalogue.begin(), catalogue.end(), number); at != std::sregex_iterator(); ++at) {
    std::string ai = (*at)[1];
    if (Dictionary().Find(ai) == nullptr) ai += "0";  // "310": the AIs 3100-3109, the decimals an option
    const AiSyntax* syntax = Dictionary().Find(ai);
    ASSERT_NE(syntax, nullptr) << ai;
    // the dictionary titles all but the coupon codes (8110, 8112): those are titled by their AI
    const std::string title = syntax->title.empty() ? "AI (" + ai + ")" : std::string(syntax->title);
    EXPECT_TRUE(Titled({ai, "271231"}, Dictionary()).title.starts_with(title)) << ai;
    ++count;
  }
  EXPECT_GT(count, 250);
}

}  // namespace
}  // namespace velmora::symbol
