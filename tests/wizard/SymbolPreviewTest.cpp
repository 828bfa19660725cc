// The symbol band's model: what the window draws and what GS1 says of the data.
#include "WizardFixture.h"

#include "platform/profile/ProfileApi.h"
#include "support/PngImage.h"
#include "support/ShippedData.h"
#include "symbol/Findings.h"
#include "symbol/Gs1Data.h"
#include "symbol/ScanBack.h"

namespace velmora {
namespace {

using nlohmann::json;
using SymbolTest = test::WizardFixture;

// The worked example, up to its summary page.
const char* const kWorkedExample =
    "pick 01\nnext\ncheck\nnext\nnext\nnext\ntype 1234567\nnext\n"
    "next\npick 10\nnext\noption 1\nnext\ncombo-pick 0\nnext\n";

std::vector<std::string> Texts(const json& symbol) {
  std::vector<std::string> texts;
  for (const json& f : symbol["findings"]) texts.push_back(f["text"]);
  return texts;
}

TEST_F(SymbolTest, TheWorkedExampleDrawsTheTemplatesSample) {
  const std::string png = host.Path() + "symbol.png";
  const auto run =
      Run(std::string(kWorkedExample) + "dump\npreview " + png + "\npreview " + host.Path() + "s.svg\n", {"LOT"});
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const json& s = run.Last()["symbol"];
  EXPECT_EQ(s["data"], "{CODE C}{FNC1}0100000012345670{CODE B}100000000000");
  EXPECT_EQ(s["elements"], "(01)00000012345670(10)0000000000");
  EXPECT_EQ(s["valid"], true) << "GS1 accepts the data";
  EXPECT_EQ(Texts(s), std::vector<std::string>{"AI (01): 7 of 13 digits typed; 6 zeros will be added before them"})
      << "the digits printed are not the digits typed";
  // what the preview wrote scans back to the same data
  const symbol::ScanResult scan = symbol::ScanCode128(test::LoadPngGrey(png));
  EXPECT_EQ(scan.symbologyIdentifier, "]C1");
  EXPECT_EQ(scan.text,
            "0100000012345670"
            "100000000000");
  EXPECT_NE(host.Read("s.svg").find("<g aria-label=\"(01)00000012345670(10)0000000000\">\n<defs><path id="),
            std::string::npos)
      << "the text set as its face's outlines";
}

TEST_F(SymbolTest, FindingsAreAboutWhatTheUserTyped) {
  const struct {
    const char* what;
    std::string script;
    std::vector<std::string> findings;
    json mark;
  } rows[] = {
      {"a month 13, marked where it was typed",
       "pick 17\nnext\nnext\ntype 261331\n",
       {"AI (17) position 3: invalid month '13'",
        "AI (17): needs AI (01), (02), (03), (255), (8006) or (8026) in the same barcode"},
       {{"start", 2}, {"length", 2}}},
      {"a check digit typed wrong",
       "pick 01\nnext\nnext\nnext\nnext\ntype 00000012345671\n",
       {"AI (01) position 14: invalid check digit '1', expected '0'"},
       {{"start", 13}, {"length", 1}}},
      {"a batch with a character GS1 forbids",
       "pick 01\nnext\ncheck\nnext\nnext\nnext\ntype 1234567\nnext\nnext\npick 10\nnext\nnext\ntype AB#1\n",
       {"AI (10) position 3: character '#' is not allowed",
        "AI (01): 7 of 13 digits typed; 6 zeros will be added before them"},
       {{"start", 2}, {"length", 1}}},
      {"a 310n with n above 5",
       "pick 310\nnext\nlist 7\nnext\nnext\ntype 500\n",
       {"AI (3107): GS1 defines no such AI", "AI (01): 7 of 13 digits typed; 6 zeros will be added before them",
        "AI (3107): 3 of 6 digits typed; 3 zeros will be added before them"},
       json()},
      {"a fixed-length 402 typed short",
       "pick 402\nnext\nnext\nnext\ntype 123\n",
       {"AI (402) position 4: too short, 17 characters needed",
        "AI (01): 7 of 13 digits typed; 6 zeros will be added before them"},
       json()},
      {"a date of a host variable's zeros is drawn as a valid sample, with no finding",
       "pick 01\nnext\nnext\nnext\nnext\ntype 00000012345670\nnext\nnext\npick 17\nnext\noption 1\nnext\ncombo-pick "
       "0\nnext\n",
       {"AI (01): 7 of 13 digits typed; 6 zeros will be added before them"},
       json()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const auto run = Run(row.script + "dump\ncancel\n", {"EXPIRY"});
    ASSERT_FALSE(run.Dumps.empty()) << run.Errors;
    EXPECT_EQ(Texts(run.Last()["symbol"]), row.findings) << run.Last()["symbol"].dump();
    EXPECT_EQ(run.Last()["symbol"]["mark"], row.mark);
  }
}

// What the template changes or cannot carry, each in a window of its own.
TEST_F(SymbolTest, AGtinTypedShortIsSaidToBeFilledWithZeros) {
  const auto run = Run("pick 01\nnext\ncheck\nnext\nnext\nnext\ntype 09506\ndump\ntype 00013435\ndump\ncancel\n");
  ASSERT_EQ(run.Dumps.size(), 2u) << run.Errors;
  EXPECT_EQ(Texts(run.Dumps[0]["symbol"]),
            std::vector<std::string>{"AI (01): 5 of 13 digits typed; 8 zeros will be added before them"});
  EXPECT_EQ(run.Dumps[0]["symbol"]["elements"], "(01)00000000095068");
  EXPECT_EQ(run.Dumps[0]["symbol"]["findings"][0]["kind"], "zeros-added");
  EXPECT_TRUE(Texts(run.Dumps[1]["symbol"]).empty()) << "13 of 13 digits: nothing added";
}

TEST_F(SymbolTest, ADoubleQuoteTheTemplateCannotCarryIsSaidWhereItWasTyped) {
  const auto run = Run("pick 10\nnext\nnext\ntype AB\"1\ndump\ncancel\n");
  ASSERT_FALSE(run.Dumps.empty()) << run.Errors;
  const json& s = run.Last()["symbol"];
  EXPECT_EQ(Texts(s), std::vector<std::string>{
                          "AI (10) position 3: a double quote (\") cannot be carried by the label template"});
  EXPECT_EQ(s["problem"], "AI (10) position 3: a double quote (\") cannot be carried by the label template");
  EXPECT_EQ(s["mark"], json({{"start", 2}, {"length", 1}}));
}

TEST_F(SymbolTest, AVariableNameTheTemplateCannotCarryIsSaid) {
  const struct {
    const char* name;
    const char* says;
  } rows[] = {
      {"A & B", "AI (10): the variable name 'A & B' cannot be carried by the label template (' ')"},
      {"GT;IN", "AI (10): the variable name 'GT;IN' cannot be carried by the label template (';')"},
      {"[x]", "AI (10): the variable name '[x]' cannot be carried by the label template ('[')"},
      {"NUM\u00C9RO_LOT", ""},  // letters of any language: a formula reads them
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto run = Run("pick 10\nnext\noption 1\nnext\ncombo-pick 0\ndump\ncancel\nanswer ok\n", {row.name});
    ASSERT_FALSE(run.Dumps.empty()) << run.Errors;
    const std::vector<std::string> texts = Texts(run.Last()["symbol"]);
    const bool said = std::find(texts.begin(), texts.end(), row.says) != texts.end();
    EXPECT_EQ(said, *row.says != '\0') << run.Last()["symbol"].dump();
    if (*row.says == '\0') {
      EXPECT_EQ(run.Last()["symbol"]["data"], "{CODE B}{FNC1}100000000000");
    }
  }
}

TEST_F(SymbolTest, FindingsInTheUsersLanguageFromThePageTexts) {
  host.Write("System/Users/tester.ini", "[Initialize]\r\nCountry=1\r\n");
  const auto run = Run("pick 17\nnext\nnext\ntype 261331\ndump\ncancel\n");
  ASSERT_FALSE(run.Dumps.empty()) << run.Errors;
  EXPECT_EQ(run.Last()["symbol"]["findings"][0]["text"], "AI (17) position 3\u00A0: mois invalide '13'");
  EXPECT_EQ(run.Last()["symbol"]["findings"][1]["text"],
            "AI (17)\u00A0: demande l'AI (01), (02), (03), (255), (8006) ou (8026) dans le m\u00EAme code")
      << "every word in French";
}

// The same AIs as a GS1 Digital Link: the URI in the dump, its QR Code drawn on
// request; AIs without a primary key say why they have none.
TEST_F(SymbolTest, TheDigitalLinkOfTheAisIsDumpedAndDrawn) {
  const std::string png = host.Path() + "dl.png";
  const auto run = Run(std::string(kWorkedExample) + "dump\npreview " + png + " --symbol dl-qr\npreview " +
                           host.Path() + "dm.svg --symbol gs1-datamatrix\n",
                       {"LOT"});
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  const std::string uri = "https://id.gs1.org/01/00000012345670/10/0000000000";
  EXPECT_EQ(run.Last()["symbol"]["digital_link"], uri);
  const symbol::Gs1Data& gs1 = test::ShippedGs1();
  symbol::EncodedSymbol expected;
  expected.kind = symbol::SymbolKind::DlQr;
  expected.uri = uri;
  EXPECT_EQ(symbol::VerifySymbol(test::LoadPngGrey(png), expected, gs1.dictionary), "");
  EXPECT_NE(host.Read("dm.svg").find("<rect"), std::string::npos);
}

TEST_F(SymbolTest, AisWithoutAPrimaryKeySayWhyTheyHaveNoDigitalLink) {
  const auto keyless = Run("pick 17\nnext\nnext\ntype 261231\ndump\npreview " + host.Path() + "x.png --symbol dl-qr\n");
  ASSERT_FALSE(keyless.Dumps.empty()) << keyless.Errors;
  EXPECT_TRUE(keyless.Last()["symbol"]["digital_link"].is_null());
  EXPECT_EQ(
      keyless.Last()["symbol"]["digital_link_problem"].get<std::string>().rfind("no AI here is a GS1 Digital Link", 0),
      0u);
  EXPECT_NE(keyless.Errors.find("script line 6: there is no GS1 Digital Link URI to draw: no AI here"),
            std::string::npos)
      << keyless.Errors;
}

TEST_F(SymbolTest, FindingsNeverBlockTheWay) {
  const auto run = Run("pick 17\nnext\nnext\ntype 261331\nnext\ndone\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(TemplateValue("Barcode1", "Data"), "{CODE C}{FNC1}17261331");
}

TEST_F(SymbolTest, PreviewWithoutASymbolIsAScriptError) {
  const auto run = Run("preview " + host.Path() + "none.png\n");
  EXPECT_NE(run.Result.Status, 0);
  EXPECT_NE(run.Errors.find("script line 1: there is no symbol to write: no AI is complete"), std::string::npos)
      << run.Errors;
}

// Every text the band can say is in both page text files, and the English one
// says what the program says when a page text file lacks it.
TEST(SymbolWords, EveryKindHasItsTextInBothLanguages) {
  const std::string dir = VELMORA_SHIPPED_DATA_DIR;
  for (int k = 0; k <= static_cast<int>(symbol::FindingKind::Duplicate); ++k) {
    const auto kind = static_cast<symbol::FindingKind>(k);
    const std::string key = std::string("finding_") + symbol::KindName(kind);
    const auto read = [&](const char* file) {
      return GetPrivateProfileStringA("Country", key, "", 256, dir + file).Buffer;
    };
    EXPECT_EQ(read("cn128A.INF"), symbol::EnglishSentence(kind)) << key;
    EXPECT_FALSE(read("cn128B.INF").empty()) << key;
  }
}

}  // namespace
}  // namespace velmora
