// Whole runs of the wizard, driven as a user drives it.
#include "WizardFixture.h"

namespace velmora {
namespace {

using test::Page;
using RunTest = test::WizardFixture;

TEST_F(RunTest, RoadOfOneRun) {
  const auto run =
      Run("pick 01\n"
          "next\n"  // options: the check digit
          "check\n"
          "next\n"  // the indicator digit 9, left clear
          "next\n"  // data source: typed
          "next\n"
          "type 1234567\n"
          "next\n"  // summary
          "dump\n"
          "done\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(Page(run.Last()), 6);
  EXPECT_EQ(run.Last()["preview"], "\"(01)0000001234567\" & Modulo10(\"0000001234567\")");
  EXPECT_EQ(run.Result.TemplateFile, host.Path() + "SYSTEM/128.ufo");
  EXPECT_EQ(TemplateValue("Variable1", "Format"), "\"{CODE C}{FNC1}010000001234567\" & Modulo10(\"0000001234567\")");
  EXPECT_EQ(TemplateValue("Barcode1", "Variable"), "Variable1");
  EXPECT_EQ(TemplateValue("Text1.1", "Variable"), "Variable2");
}

TEST_F(RunTest, WorkedExampleWithAHostVariable) {
  const auto run =
      Run("pick 01\nnext\ncheck\nnext\nnext\nnext\ntype 1234567\nnext\n"
          "next\n"  // a new AI on page 0
          "pick 10\n"
          "next\n"  // no options: straight to the data source
          "option 1\n"
          "next\n"
          "combo-pick 1\n"
          "next\n"
          "dump\n"
          "done\n",
          {"DATE", "LOT"});
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Last()["ids"].size(), 2u);
  EXPECT_EQ(TemplateValue("Variable1", "Name"), "LOT");
  EXPECT_EQ(TemplateValue("Variable2", "Format"),
            "\"{CODE C}{FNC1}010000001234567\" & Modulo10(\"0000001234567\") & \"{CODE B}10\" & LOT");
  EXPECT_EQ(TemplateValue("Variable3", "Format"),
            "\"(01)0000001234567\" & Modulo10(\"0000001234567\") & \"(10)\" & LOT");
}

TEST_F(RunTest, BackAndNextWalkTheRingAcrossTwoAis) {
  const auto run =
      Run("pick 10\nnext\ndump\nnext\ndump\ntype AB\nnext\ndump\n"  // 3, 4, 6
          "next\ndump\npick 37\nnext\nnext\ntype 5\nnext\ndump\n"   // 0 (second AI), then 6
          "back\ndump\nback\ndump\nback\ndump\nback\ndump\n"        // 4, 3, 0, 6 of the first AI
          "back\ndump\n");                                          // 4 of the first AI
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  std::vector<int> pages;
  for (const auto& d : run.Dumps) pages.push_back(Page(d));
  EXPECT_EQ(pages, (std::vector<int>{3, 4, 6, 0, 6, 4, 3, 0, 6, 4}));
  EXPECT_EQ(run.Dumps[3]["currentId"], 1) << "next on page 6 starts a new AI";
  EXPECT_EQ(run.Dumps[8]["currentId"], 0) << "back on page 0 returns to the previous AI";
  EXPECT_EQ(run.Dumps[8]["ids"].size(), 2u);
  EXPECT_EQ(run.Dumps[9]["controls"]["ActionTxtBox"]["text"], "AB");
  EXPECT_EQ(run.Dumps[4]["preview"], "\"(10)AB(37)5\"");
}

TEST_F(RunTest, BackOnPageZeroOfTheFirstAiIsImpossible) {
  const auto run = Run("dump\nback\n");
  EXPECT_EQ(run.Result.Status, 2);
  EXPECT_NE(run.Errors.find("script line 2: Curseur(0), the '< Back' button, is disabled"), std::string::npos)
      << run.Errors;
}

TEST_F(RunTest, RemoveOneOfSeveralAndTheLastAi) {
  const auto run =
      Run("pick 10\nnext\nnext\ntype A\nnext\nnext\n"
          "pick 37\nnext\nnext\ntype 7\nnext\n"
          "list 0\nremove\ndump\n"
          "remove\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Dumps[0]["ids"].size(), 1u);
  EXPECT_EQ(run.Dumps[0]["ids"][0]["IdKey"], "37");
  EXPECT_EQ(run.Dumps[0]["controls"]["ActionList"]["items"].size(), 1u);
  const auto& reset = run.Dumps[1];
  EXPECT_EQ(Page(reset), 0);
  EXPECT_EQ(reset["ids"].size(), 1u);
  EXPECT_EQ(reset["ids"][0]["RankInFile"], -2);
  for (const auto& [array, index] : {std::pair{"Curseur", 0}, {"Curseur", 1}, {"Bouton", 1}, {"Bouton", 3}}) {
    EXPECT_FALSE(test::Enabled(reset, array, index)) << array << index;
  }
}

TEST_F(RunTest, CancelAsksOnlyWhenSomeAiIsComplete) {
  const auto quiet = Run("pick 10\ncancel\n");
  EXPECT_EQ(quiet.Result.Status, 0);
  EXPECT_EQ(quiet.Errors.find("message box"), std::string::npos);
  EXPECT_EQ(quiet.Result.TemplateFile, "");

  const auto asked = Run("pick 10\nnext\nnext\ntype A\nanswer cancel\ncancel\ndump\nanswer ok\ncancel\n");
  ASSERT_EQ(asked.Dumps.size(), 1u);
  EXPECT_TRUE(asked.Dumps[0]["visible"]) << "Cancel in the question leaves the wizard as it was";
  EXPECT_EQ(Page(asked.Dumps[0]), 4);
  const auto& box = asked.Dumps[0]["messages"][0];
  EXPECT_EQ(box["style"], 33);
  EXPECT_EQ(box["title"], "GS1-128 wizard");
  EXPECT_EQ(box["answer"], 2);
  EXPECT_FALSE(std::filesystem::exists(host.Path() + "SYSTEM/128.ufo"));
}

TEST_F(RunTest, EnterOnPageFourMovesOnWithoutTypingIt) {
  const auto run = Run("pick 10\nnext\nnext\ntype LOT42\nkey enter\ndump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(Page(run.Last()), 6);
  EXPECT_EQ(run.Last()["ids"][0]["FixData"], "LOT42");
}

TEST_F(RunTest, ScriptErrorsNameTheLineAndStopTheRun) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"next\n", "script line 1: Curseur(1), the 'Next >' button, is disabled"},
      {"# comment\n\nremove\n", "script line 3: ActionButton, the button, is hidden"},
      {"pick 01\njump\ndump\n", "script line 2: unknown action \"jump\""},
      {"list x\n", "script line 1: expected a number, got \"x\""},
      {"pick 9999\n", "script line 1: no catalogue entry for AI 9999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const auto run = Run(c.script);
    EXPECT_EQ(run.Result.Status, 2);
    EXPECT_NE(run.Errors.find(c.error), std::string::npos) << run.Errors;
    EXPECT_TRUE(run.Dumps.empty()) << "nothing after the error runs";
  }
}

TEST_F(RunTest, AScriptThatRunsOutClosesTheWindow) {
  const auto run = Run("pick 10\n");
  EXPECT_EQ(run.Result.Status, 0);
  EXPECT_EQ(run.Result.TemplateFile, "");
}

}  // namespace
}  // namespace velmora
