// A barcode pasted into the wizard gives the state and the template of the
// walk a user makes by hand for the same data; the search box finds AIs by
// their words and digits in the page files' language.
#include <filesystem>
#include <fstream>
#include <regex>

#include "WizardFixture.h"
#include "support/FixedRandom.h"
#include "support/RowNames.h"

namespace velmora {
namespace {

using nlohmann::json;

class PasteTest : public test::WizardFixture {
 protected:
  // The catalogue's option flags of an AI's entry (1 check digit, 2 decimal, 4 prefix 9).
  static int Flags(const std::string& ai) {
    static const std::string catalogue = [] {
      std::ifstream in(std::string(VELMORA_SHIPPED_DATA_DIR) + "/ID128.inf");
      return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    std::smatch m;
    const std::regex entry("id([0-9]+)_number=" + ai + "\\r?\\n");
    if (!std::regex_search(catalogue, m, entry)) return 0;
    std::smatch f;
    std::regex_search(catalogue, f, std::regex("id" + m[1].str() + "_Flags=([0-9]+)"));
    return std::stoi(f[1]);
  }

  // The page-0-to-summary walk of one AI, as a user clicks it: `options` on
  // page 1 ("check", "list 3"), `prefix` on page 2, then the data typed.
  static std::string Walk(const std::string& ai, const std::string& options, const std::string& prefix,
                          const std::string& typed) {
    std::string walk = "pick " + ai + "\nnext\n";
    if ((Flags(ai) & 3) != 0) walk += options + "next\n";
    if ((Flags(ai) & 4) != 0) walk += prefix + "next\n";
    return walk + "next\ntype " + typed + "\nnext\n";
  }

  // The last dump and the template of a fresh wizard that runs `script`, then
  // done; the variable names' random letters drawn alike for both.
  std::pair<json, std::string> Result(const std::string& script) {
    SetUp();
    const test::FixedRandom random;
    std::filesystem::remove(host.Path() + "SYSTEM/128.ufo");
    const auto run = Run(script + "dump\ndone\n");
    EXPECT_EQ(run.Result.Status, 0) << run.Errors;
    if (run.Dumps.empty()) return {};
    return {run.Last(), Template()};
  }
};

struct Step {
  std::string ai;
  std::string options;  // on page 1
  std::string prefix;   // on page 2
  std::string typed;
};

struct APasteIsTheWalkAUserMakesByHandRow {
  const char* pasted;
  std::vector<Step> walk;
};

const APasteIsTheWalkAUserMakesByHandRow kAPasteIsTheWalkAUserMakesByHandRows[] = {
    {"(01)09506000134352", {{"01", "check\n", "", "0950600013435"}}},
    {"(01)95012345678903", {{"01", "check\n", "check\n", "501234567890"}}},  // prefix 9 and check digit
    {"(01)09506000134353", {{"01", "", "", "09506000134353"}}},              // a wrong check digit is kept, typed
    {"(01)0950600013435", {{"01", "", "", "0950600013435"}}},                // short: typed as it is
    {"(02)09506000134352", {{"02", "check\n", "", "0950600013435"}}},
    {"(00)106141412345678908", {{"00", "check\n", "", "10614141234567890"}}},
    {"(03)09506000134352", {{"03", "check\n", "", "0950600013435"}}},
    {"(10)ABC123", {{"10", "", "", "ABC123"}}},
    {"(21)XYZ-1/2", {{"21", "", "", "XYZ-1/2"}}},
    {"(17)271231", {{"17", "", "", "271231"}}},
    {"(17)271331", {{"17", "", "", "271331"}}},  // GS1 refuses the month: imported all the same
    {"(3103)000195", {{"310", "list 3\n", "", "000195"}}},
    {"(3920)12", {{"3920", "", "", "12"}}},
    {"(3300)001000", {{"330", "list 0\n", "", "001000"}}},
    {"(3695)123456", {{"369", "list 5\n", "", "123456"}}},
    {"(402)95260640000280", {{"402", "", "", "95260640000280"}}},  // 17 digits needed: typed as is
    {"(410)0000123456784", {{"410", "check\n", "", "12345678"}}},  // "0000" and the check digit
    {"(410)9520123456788", {{"410", "", "", "9520123456788"}}},
    {"(414)9520123456788", {{"414", "check\n", "", "952012345678"}}},
    {"(8017)795260646688514634", {{"8017", "check\n", "", "79526064668851463"}}},
    {"(8018)795260646688514634", {{"8018", "check\n", "", "79526064668851463"}}},
    {"(90)ABC(91)DEF", {{"90", "", "", "ABC"}, {"91", "", "", "DEF"}}},
    {"(01)09506000134352(17)271231(10)ABC123",
     {{"01", "check\n", "", "0950600013435"}, {"17", "", "", "271231"}, {"10", "", "", "ABC123"}}},
    {"]C1010950600013435217271231\x1D"
     "21S1",
     {{"01", "check\n", "", "0950600013435"}, {"17", "", "", "271231"}, {"21", "", "", "S1"}}},
    {"(00)106141412345678908(02)09506000134352(37)12(3103)000500",
     {{"00", "check\n", "", "10614141234567890"},
      {"02", "check\n", "", "0950600013435"},
      {"37", "", "", "12"},
      {"310", "list 3\n", "", "000500"}}},
    {"[01]95012345678903[15]280101[3922]0299",
     {{"01", "check\n", "check\n", "501234567890"}, {"15", "", "", "280101"}, {"3922", "", "", "0299"}}},
    {"https://id.gs1.org/01/09506000134352/10/AB%2FC?17=271231",
     {{"01", "check\n", "", "0950600013435"}, {"10", "", "", "AB/C"}, {"17", "", "", "271231"}}},
    {"(8003)09506000134352A1", {{"8003", "", "", "09506000134352A1"}}},
    {"(7003)2801011200", {{"7003", "", "", "2801011200"}}},
    {"(4321)1(4326)280101", {{"4321", "", "", "1"}, {"4326", "", "", "280101"}}},
    {"(253)9520123456788ABC", {{"253", "", "", "9520123456788ABC"}}},
};

class APasteIsTheWalkAUserMakesByHand : public PasteTest,
                                        public ::testing::WithParamInterface<APasteIsTheWalkAUserMakesByHandRow> {};

TEST_P(APasteIsTheWalkAUserMakesByHand, Row) {
  const APasteIsTheWalkAUserMakesByHandRow& row = GetParam();
  std::string walk;
  for (std::size_t i = 0; i < row.walk.size(); ++i) {
    const Step& s = row.walk[i];
    walk += (i > 0 ? "next\n" : "") + Walk(s.ai, s.options, s.prefix, s.typed);
  }
  const auto [byHand, byHandTemplate] = Result(walk);
  const auto [pasted, pastedTemplate] = Result("paste " + std::string(row.pasted) + "\n");
  EXPECT_EQ(pasted, byHand);
  EXPECT_EQ(pastedTemplate, byHandTemplate);
  EXPECT_EQ(pasted.value("page", -1), 6) << "the paste ends on the summary page";
}

INSTANTIATE_TEST_SUITE_P(PasteTest, APasteIsTheWalkAUserMakesByHand,
                         ::testing::ValuesIn(kAPasteIsTheWalkAUserMakesByHandRows),
                         test::RowNamer(kAPasteIsTheWalkAUserMakesByHandRows,
                                        [](const APasteIsTheWalkAUserMakesByHandRow& r) {
                                          return std::string(r.pasted);
                                        }));

// What the pages could not take as it is stops the paste before anything
// changes, saying why: a paste is never cut or stripped into other data.
TEST_F(PasteTest, WhatThePagesCannotTakeStopsThePasteBeforeAnythingChanges) {
  const struct {
    std::string pasted;
    std::string says;
  } rows[] = {
      {"(01)09506000134352(2345)X", "AI (2345) is not in the wizard's catalogue; nothing was pasted"},
      {"(01)09506000134352(10)ABCDEFGHIJKLMNOPQRSTU",
       "AI (10): 21 characters, and the AI holds 20; nothing was pasted"},
      {"(01)095060001343520", "AI (01): 15 characters, and the AI holds 14; nothing was pasted"},
      {"(01)09506000134352(10)A\x01"
       "B",
       "AI (10): character 2 ('\\x01') cannot be typed; nothing was pasted"},
      {"(01)09506000134352(10)A\rB", "AI (10): character 2 ('\\x0D') cannot be typed; nothing was pasted"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pasted);
    const auto run = Run("pick 10\npaste " + row.pasted + "\ndump\n");
    EXPECT_NE(run.Errors.find(row.says), std::string::npos) << run.Errors;
    EXPECT_TRUE(run.Dumps.empty()) << "a script stops at its error";
  }
  const auto later = Run("next\nnext\npaste (01)09506000134352\n");
  EXPECT_NE(later.Errors.find("a barcode is pasted on the first page"), std::string::npos) << later.Errors;
  const auto junk = Run("paste hello\n");
  EXPECT_NE(junk.Errors.find("not a barcode's data"), std::string::npos) << junk.Errors;
}

TEST_F(PasteTest, FindMovesTheSelectionToTheBestMatch) {
  const struct {
    int country;  // 0 English, 1 French page files
    const char* query;
    std::vector<std::string> matches;  // the first of them, or all when `all`
    bool all;
  } rows[] = {
      {0, "best before", {"15"}, true},
      {0, "BEST   Before", {"15"}, true},
      {0, "serial", {"21", "00"}, false},  // a name that starts with the word first
      {0, "lot", {"10"}, false},
      {0, "17", {"17"}, false},
      {0, "3103", {"310"}, true},  // a decimal AI by its full digits
      {0, "31", {"310", "311"}, false},
      {0, "net weight kilo", {"310"}, true},
      {0, "zzzz", {}, true},
      {0, "", {}, true},  // nothing typed: nothing found, nothing clicked
      {1, "echeance", {"12"}, true},
      {1, "ÉCHÉANCE", {"12"}, true},
      {1, "date limite", {"16", "17", "7011"}, true},
      {1, "numero de serie", {"21"}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.query);
    SetUp();
    host.Write("System/Users/User.ini", "[Initialize]\r\nCountry=" + std::to_string(row.country) + "\r\n");
    const auto run = Run(std::string("find ") + row.query + "\ndump\n");
    ASSERT_FALSE(run.Dumps.empty()) << run.Errors;
    if (row.query[0] == '\0') {
      EXPECT_EQ(run.Last()["ids"][0]["IdKeyBackup"], "") << "nothing typed, nothing clicked";
      continue;
    }
    const json& find = run.Last()["find"];
    const std::vector<std::string> matches = find["matches"];
    if (row.all) {
      EXPECT_EQ(matches, row.matches);
    } else {
      ASSERT_GE(matches.size(), row.matches.size());
      EXPECT_EQ(std::vector<std::string>(matches.begin(), matches.begin() + static_cast<long>(row.matches.size())),
                row.matches);
    }
    const json& ids = run.Last()["ids"];
    EXPECT_EQ(ids[0]["IdKeyBackup"], row.matches.empty() ? json("") : json(row.matches[0]))
        << "selected as a click would";
  }
}

TEST_F(PasteTest, FindNextWalksTheMatchesRoundTheEnd) {
  const auto run = Run("find date\nfind-next\ndump\nfind-previous\nfind-previous\ndump\n");
  ASSERT_EQ(run.Dumps.size(), 2u) << run.Errors;
  const std::vector<std::string> matches = run.Dumps[0]["find"]["matches"];
  ASSERT_GT(matches.size(), 3u);
  EXPECT_EQ(run.Dumps[0]["find"]["selected"], 1);
  EXPECT_EQ(run.Dumps[0]["ids"][0]["IdKey"], matches[1]);
  EXPECT_EQ(run.Dumps[1]["find"]["selected"], static_cast<int>(matches.size()) - 1);
  EXPECT_EQ(run.Dumps[1]["ids"][0]["IdKey"], matches.back());
}

}  // namespace
}  // namespace velmora
