// The input handlers, seen through what they store.
#include "WizardFixture.h"

namespace velmora {
namespace {

using HandlersTest = test::WizardFixture;

TEST_F(HandlersTest, CheckBoxStoresItsOwnStateNotTrue) {
  const auto run = Run("pick 01\nnext\ncheck\ndump\ncheck\ndump\nnext\ncheck\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Dumps[0]["ids"][0]["Choice"][0], 1);
  EXPECT_EQ(run.Dumps[0]["ids"][0]["Suffix"], "X");
  EXPECT_EQ(run.Dumps[1]["ids"][0]["Choice"][0], 0);
  EXPECT_EQ(run.Dumps[2]["ids"][0]["Choice"][1], 1);
  EXPECT_EQ(run.Dumps[2]["ids"][0]["Prefix"], "9");
}

TEST_F(HandlersTest, NumericKeyFilter) {
  const struct {
    const char* toPageFour;
    const char* typed;
    const char* stored;
  } cases[] = {
      {"pick 00\nnext\nnext\nnext", "12a -3.4", "1234"},  // letters, blanks, signs and points refused
      {"pick 10\nnext\nnext", "a -b.1", "a -b.1"},        // an alphanumeric AI takes everything
      {"pick 00\nnext\nnext\nnext",
       "\xC3\xA9"
       "5",
       "5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const auto run = Run(std::string(c.toPageFour) + "\ntype " + c.typed + "\ndump\n");
    ASSERT_EQ(run.Result.Status, 0) << run.Errors;
    EXPECT_EQ(run.Last()["controls"]["ActionTxtBox"]["text"], c.stored);
  }
}

TEST_F(HandlersTest, TypingStopsAtTheLengthAndBackspaceEdits) {
  const auto run =
      Run("pick 20\nnext\nnext\ntype 123\ndump\nkey backspace\ndump\nkey backspace\nkey backspace\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Dumps[0]["ids"][0]["FixData"], "12") << "AI 20 holds two digits";
  EXPECT_EQ(run.Dumps[1]["ids"][0]["FixData"], "1");
  EXPECT_TRUE(test::Enabled(run.Dumps[1], "Curseur", 1));
  EXPECT_EQ(run.Dumps[2]["ids"][0]["FixData"], "");
  EXPECT_FALSE(test::Enabled(run.Dumps[2], "Curseur", 1)) << "an empty text disables next at once";
  EXPECT_EQ(run.Dumps[2]["ids"][0]["Matrix"], "00");
}

TEST_F(HandlersTest, TextSetDirectlyIsNotFiltered) {
  const auto run = Run("pick 00\nnext\nnext\nnext\nset-text 12AB\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Last()["ids"][0]["FixData"], "12AB");
}

TEST_F(HandlersTest, LineBreaksAndNulNeverEnterOneLineBoxes) {
  // as a one-line box takes a paste: the breaks are dropped and nothing else
  const auto run = Run(std::string("pick 10\nnext\nnext\nset-text AB\r\x01"
                                   "C\rD") +
                       std::string(1, '\0') + "E\nnext\ndone\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(TemplateValue("Variable1", "Format"),
            "\"{CODE B}{FNC1}10AB\x01"
            "CDE\"")
      << "the template holds the data";
  const auto combo = Run("pick 10\nnext\noption 1\nnext\ncombo LO\rT\ndump\n", {"LOT"});
  ASSERT_EQ(combo.Result.Status, 0) << combo.Errors;
  EXPECT_EQ(combo.Last()["ids"][0]["VarData"], "LOT");
}

TEST_F(HandlersTest, TypedBytesThatAreNotUtf8AreDumpedNotFatal) {
  // found by the action-script fuzzer: the dump stopped the process
  const auto run =
      Run("pick 10\nnext\nnext\nset-text A\xff\xfe\ndump\nback\noption 1\nnext\ncombo \xc3\ndump\ncancel\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Dumps[0]["controls"]["ActionTxtBox"]["text"], "A\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST_F(HandlersTest, ALongTypedComboTextArrivesWhole) {
  const std::string name(400000, 'V');
  const auto run = Run("pick 10\nnext\noption 1\nnext\ncombo " + name + "\ndump\ncancel\n", {"LOT"});
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Last()["ids"][0]["VarData"], name);
}

TEST_F(HandlersTest, PickingAnotherAiKeepsWhatWasEntered) {
  const auto run = Run("pick 10\nnext\nnext\ntype AB\nback\nback\npick 21\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const auto& r = run.Last()["ids"][0];
  EXPECT_EQ(r["IdKey"], "21");
  EXPECT_EQ(r["FixData"], "AB");
  EXPECT_EQ(run.Last()["preview"], "\"(21)AB\"");
}

TEST_F(HandlersTest, ClickOnTheSummaryChangesOnlyTheCurrentAi) {
  const auto run =
      Run("pick 10\nnext\nnext\ntype A\nnext\nnext\npick 21\nnext\nnext\ntype B\nnext\ndump\nlist 0\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Dumps[0]["currentId"], 1);
  EXPECT_EQ(run.Dumps[1]["currentId"], 0);
  EXPECT_EQ(run.Dumps[0]["ids"], run.Dumps[1]["ids"]);
  EXPECT_EQ(run.Dumps[1]["preview"], run.Dumps[0]["preview"]);
}

}  // namespace
}  // namespace velmora
