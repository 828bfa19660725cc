// What each page shows.
#include "WizardFixture.h"

namespace velmora {
namespace {

using test::Page;
using test::Shown;
using PagesTest = test::WizardFixture;

TEST_F(PagesTest, StartUpShowsTheCatalogueWithBackAndNextDisabled) {
  const auto run = Run("dump\npick 00\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const auto& first = run.Dumps[0];
  EXPECT_EQ(first["caption"], "GS1-128 wizard");
  EXPECT_EQ(first["controls"]["ActionList"]["items"].size(), 276u);
  EXPECT_EQ(first["controls"]["ActionList"]["items"][0], "00   \tSSCC (Serial Shipping Container Code)");
  EXPECT_EQ(first["controls"]["ActionList"]["listIndex"], -1);
  EXPECT_FALSE(test::Enabled(first, "Curseur", 0));
  EXPECT_FALSE(test::Enabled(first, "Curseur", 1));
  EXPECT_FALSE(test::Enabled(first, "Bouton", 3)) << "done only on page 6";
  EXPECT_EQ(first["controls"]["Curseur"][1]["caption"], "Next >");
  EXPECT_TRUE(test::Enabled(run.Dumps[1], "Curseur", 1));
  EXPECT_TRUE(test::Enabled(run.Dumps[1], "Bouton", 1));
  std::vector<std::string> names;
  for (const auto& [name, control] : first["controls"].items())
    names.push_back(name + (control.is_array() ? "[]" : ""));
  EXPECT_EQ(names, (std::vector<std::string>{"ActionButton", "ActionCheck", "ActionCombo", "ActionInfo", "ActionLabel",
                                             "ActionList", "ActionOption[]", "ActionTitle", "ActionTxtBox", "Bouton[]",
                                             "Curseur[]", "LabelTitle", "line_code"}))
      << "every control but the frames, an array as a JSON array";
}

TEST_F(PagesTest, DecimalFamilyListsTenPositionsAndSetsTheFourthDigit) {
  const auto run = Run("pick 310\nnext\ndump\nlist 3\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const auto& options = run.Dumps[0];
  EXPECT_EQ(Page(options), 1);
  EXPECT_EQ(options["controls"]["ActionList"]["items"].size(), 10u);
  EXPECT_EQ(options["controls"]["ActionList"]["items"][2], "2 decimals");
  EXPECT_FALSE(Shown(options, "ActionCheck")) << "no check digit for 310n";
  EXPECT_EQ(run.Dumps[1]["ids"][0]["IdKey"], "3103");
}

TEST_F(PagesTest, DataSourceOptionsFollowTheRecord) {
  const auto run = Run("pick 10\nnext\ndump\noption 1\nnext\ndump\nback\ndump\n", {"LOT"});
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const auto& options = run.Dumps[0]["controls"]["ActionOption"];
  ASSERT_EQ(options.size(), 2u);
  EXPECT_EQ(options[0]["top"], 750);
  EXPECT_EQ(options[1]["top"], 1050);
  EXPECT_EQ(options[0]["caption"], "Typed data");
  EXPECT_TRUE(options[0]["value"]);
  EXPECT_EQ(Page(run.Dumps[1]), 5);
  EXPECT_EQ(run.Dumps[1]["controls"]["ActionOption"].size(), 1u) << "options above 0 are unloaded";
  EXPECT_FALSE(run.Dumps[1]["controls"]["ActionOption"][0]["visible"]);
  EXPECT_EQ(run.Dumps[1]["ids"][0]["IsFixed"], 0);
  EXPECT_TRUE(run.Dumps[2]["controls"]["ActionOption"][1]["value"]);
}

TEST_F(PagesTest, VariablePageKeepsANameThatIsNotListed) {
  const auto run = Run("pick 10\nnext\noption 1\nnext\ncombo MY_VAR\nnext\nback\ndump\n", {"LOT", "DATE"});
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const auto& combo = run.Last()["controls"]["ActionCombo"];
  EXPECT_EQ(combo["text"], "MY_VAR");
  EXPECT_EQ(combo["items"], (nlohmann::json{"LOT", "DATE"}));
  EXPECT_EQ(run.Last()["ids"][0]["VarData"], "MY_VAR");
}

TEST_F(PagesTest, FixedDataPageFocusesAnEmptyTextBoxAndDescribesTheField) {
  const auto run = Run("pick 00\nnext\nnext\nnext\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const auto& page4 = run.Last();
  EXPECT_EQ(Page(page4), 4);
  const auto& box = page4["controls"]["ActionTxtBox"];
  EXPECT_TRUE(box["visible"]);
  EXPECT_TRUE(box["focused"]);
  EXPECT_EQ(box["text"], "");
  EXPECT_EQ(box["maxLength"], 18);
  EXPECT_FALSE(test::Enabled(page4, "Curseur", 1));
  EXPECT_EQ(page4["controls"]["ActionLabel"]["caption"], "Characters, exactly:  18\n\rDigits only");
}

TEST_F(PagesTest, EmptyCatalogueShowsAnEmptyPageZero) {
  test::TempDir data;
  data.Write("ID128.inf", "[Format]\r\nTypeFile=ID128\r\n");
  data.Write("cn128A.INF", "[Format]\r\nTypeFile=country128\r\n");
  dataDir = data.Path();
  const auto run = Run("dump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_TRUE(run.Last()["controls"]["ActionList"]["items"].empty());
  EXPECT_FALSE(test::Enabled(run.Last(), "Curseur", 1));
}

}  // namespace
}  // namespace velmora
