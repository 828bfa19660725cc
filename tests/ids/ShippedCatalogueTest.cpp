// The data files the wizard ships: complete, consistent between languages, and
// true to the GS1 facts they were generated from.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/GlobalValues.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"
#include "settings/MGlobal.h"

namespace velmora {
namespace {

class ShippedCatalogue : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ResetGlobals();
    ResetHistory();
    Globals().DataDir = VELMORA_SHIPPED_DATA_DIR;
    Globals().PageTextFile = Globals().DataDir + GetParam();
    LoadIdCatalogue();
  }
  static std::int16_t Count() { return static_cast<std::int16_t>(History().IdCatalogueList.UBound() + 1); }
  // The catalogue number of the AI whose digits are `ai`.
  static std::int16_t RankOf(const std::string& ai) {
    for (std::int16_t n = 0; n < Count(); ++n) {
      if (ReadIdCatalogue("ID128", "id" + std::to_string(n) + "_number") == ai) return n;
    }
    return -1;
  }
};

TEST_P(ShippedCatalogue, FilesAreOfTheirKind) {
  EXPECT_TRUE(GoodFormat(Globals().PageTextFile, "country128"));
  EXPECT_TRUE(GoodFormat(Globals().DataDir + "ID128.inf", "ID128"));
}

TEST_P(ShippedCatalogue, EveryAiOfTheDictionaryIsListedInAscendingOrder) {
  EXPECT_EQ(Count(), 276) << "both languages name every catalogue entry";
  std::string previous;
  for (std::int16_t n = 0; n < Count(); ++n) {
    const std::string ai = ReadIdCatalogue("ID128", "id" + std::to_string(n) + "_number");
    EXPECT_LT(previous, ai);
    previous = ai;
  }
}

TEST_P(ShippedCatalogue, SampleEntriesMatchTheGs1Facts) {
  const struct {
    const char* ai;
    std::int16_t length;
    std::int16_t numeric;
    std::int16_t predefined;
    bool checkDigit;
    bool decimals;
    bool nine;
  } facts[] = {
      {"00", 18, -1, -1, true, false, false},  {"01", 14, -1, -1, true, false, true},
      {"10", 20, 0, 0, false, false, false},   {"310", 6, -1, -1, false, true, false},
      {"37", 8, -1, 0, false, false, false},   {"410", 13, -1, -1, true, false, false},
      {"8020", 25, 0, 0, false, false, false}, {"402", 17, -1, 0, true, false, false},
      {"3103", -1, 0, 0, false, false, false}, {"3902", 15, -1, 0, false, false, false},
      {"7039", 30, 0, 0, false, false, false},
  };
  for (const auto& f : facts) {
    SCOPED_TRACE(f.ai);
    const std::int16_t rank = RankOf(f.ai);
    if (f.length < 0) {
      EXPECT_EQ(rank, -1) << "310n is one entry, not one per digit";
      continue;
    }
    ASSERT_GE(rank, 0);
    IdRecord r;
    InitIdRecord(r);
    FillRecordFromCatalogue(r, rank);
    EXPECT_GE(r.IdName.size(), 2u);
    EXPECT_EQ(r.CharLenBackup, f.length);
    EXPECT_EQ(r.IsNumeric, f.numeric);
    EXPECT_EQ(r.HasMax, f.predefined);
    EXPECT_EQ(HasIdFlag(rank, FlagCheckDigit), f.checkDigit);
    EXPECT_EQ(HasIdFlag(rank, FlagDecimalList), f.decimals);
    EXPECT_EQ(HasIdFlag(rank, FlagPrefixNine), f.nine);
  }
}

TEST_P(ShippedCatalogue, EveryTextThePagesReadIsThere) {
  const char* keys[] = {"label0",  "label1",  "label2",  "label3",  "text0",     "text1",     "text3",     "text4",
                        "text5",   "option0", "option1", "Button4", "button0",   "button1",   "button2",   "button3",
                        "button5", "button6", "msg1",    "msg2",    "FieldDef0", "FieldDef1", "FieldDef2", "FieldDef3"};
  for (const char* key : keys) EXPECT_FALSE(GetCny(key).empty()) << key;
  for (int k = 0; k < 10; ++k) EXPECT_FALSE(GetCny("lst" + std::to_string(k)).empty()) << k;
  for (std::int16_t n = 0; n < Count(); ++n) {
    const std::string stem = "id" + std::to_string(n);
    SCOPED_TRACE(stem);
    EXPECT_FALSE(GetCny(stem + "_Label1").empty());
    EXPECT_FALSE(GetCny(stem + "_text").empty());
    const bool optionsPage = HasIdFlag(n, FlagCheckDigit) || HasIdFlag(n, FlagDecimalList);
    EXPECT_EQ(!GetCny(stem + "_text0").empty(), optionsPage);
    EXPECT_EQ(!GetCny(stem + "_check0").empty(), HasIdFlag(n, FlagCheckDigit)) << "no check box without a check digit";
    EXPECT_EQ(!GetCny(stem + "_check1").empty(), HasIdFlag(n, FlagPrefixNine));
  }
}

// The French page texts follow French typography and say "AI" as GS1 France does;
// a check-digit AI's text names the digits to type apart from the check digit.
TEST(ShippedPageTexts, FrenchTypographyAndCountsThatHoldEitherWay) {
  std::ifstream in(std::string(VELMORA_SHIPPED_DATA_DIR) + "cn128B.INF", std::ios::binary);
  const std::string french((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const char* wrong : {" :", " ;", " ?", " !", " IA ", "(IA)", "l'IA",
                            "Donn\xC3\xA9"
                            "es saisies"}) {
    EXPECT_EQ(french.find(wrong), std::string::npos) << wrong;
  }
  EXPECT_NE(french.find("id1_text=Donn\xC3\xA9"
                        "es\xC2\xA0: 13 chiffres et une cl\xC3\xA9 de contr\xC3\xB4le."),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedCatalogue, ::testing::Values("cn128A.INF", "cn128B.INF"),
                         [](const auto& info) { return std::string(info.index == 0 ? "English" : "French"); });

}  // namespace
}  // namespace velmora
