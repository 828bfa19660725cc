#include <gtest/gtest.h>

#include "support/ShippedData.h"

#include <set>

#include "support/RowNames.h"
#include "symbol/Analysis.h"
#include "symbol/Gs1Checks.h"
#include "symbol/Samples.h"
#include "symbol/ZintSymbol.h"

namespace velmora::symbol {
namespace {

const Gs1Data& Data() { return test::ShippedGs1(); }

std::vector<std::string> Texts(const Findings& findings) {
  std::vector<std::string> texts;
  for (const Finding& f : findings) texts.push_back(FindingText(f));
  return texts;
}

std::vector<std::string> Check(const char* elementString) {
  return Texts(AnalyseElementString(elementString, Data()).findings);
}

TEST(Gs1Checks, TheMistakesThatMatterMostAreFoundWithAiAndPosition) {
  const struct {
    const char* elements;
    std::vector<std::string> findings;
  } rows[] = {
      {"(01)00000012345670(10)ABC123", {}},
      {"(01)00000012345671", {"AI (01) position 14: invalid check digit '1', expected '0'"}},
      {"(01)00000012345670(17)261331", {"AI (17) position 3: invalid month '13'"}},
      {"(01)00000012345670(10)AB#C", {"AI (10) position 3: character '#' is not allowed"}},
      {"(01)00000012345670(3107)000500", {"AI (3107): GS1 defines no such AI"}},
      {"(02)00000012345670", {"AI (02): needs AI (37) in the same barcode"}},
      {"(01)00000012345670(02)00000012345670(37)5",
       {"AI (01): must not come with AI (37)", "AI (02): must not come with AI (01)",
        "AI (37): needs AI (00) in the same barcode"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.elements);
    EXPECT_EQ(Check(row.elements), row.findings);
  }
}

TEST(Gs1Checks, FormatsFromTheDictionary) {
  const struct {
    const char* elements;
    std::vector<std::string> findings;
  } rows[] = {
      // lengths: fixed, variable, several components
      {"(01)123", {"AI (01) position 4: too short, 14 characters needed"}},
      {"(01)000000123456701", {"AI (01) position 15: too long, at most 14 characters"}},
      {"(01)00000012345670(10)", {"AI (10) position 1: too short, 1 character needed"}},
      {"(01)00000012345670(10)123456789012345678901", {"AI (10) position 21: too long, at most 20 characters"}},
      {"(8020)1(415)5412345678908", {}},
      // character sets N, X (CSET 82), Y (CSET 39), Z (base64url)
      {"(01)0000001234567A", {"AI (01) position 14: 'A' is not a digit"}},
      {"(91)a\"b%c&d'e*f+g,h-i.j/k:l;m<n=o>p?q_r", {}},
      {"(8010)0614141ABC#-/(8011)1", {}},
      {"(8010)0614141abc(8011)1", {"AI (8010) position 8: character 'a' is not allowed"}},
      // optional components may be left out, but not half written
      {"(253)4000001000005", {}},
      {"(253)4000001000005ABC", {}},
      {"(423)250", {"AI (423): needs AI (01) or (02) in the same barcode"}},
      {"(01)00000012345670(423)25027", {"AI (423) position 6: too short, 3 characters needed"}},
      {"(01)00000012345670(423)250276999", {"AI (423) position 7: unknown ISO 3166 country code '999'"}},
      // linters inside later components
      {"(8006)000000123456701201", {"AI (8006) position 15: piece '1201' is not a piece of the total"}},
      {"(01)00000012345670(7003)2612312460", {"AI (7003) position 7: invalid hour '24'"}},
      // pairings with groups and patterns
      {"(01)00000012345670(7004)12", {"AI (7004): needs AI (01)+(10) in the same barcode"}},
      {"(01)00000012345670(3100)000001(3101)000010",
       {"AI (3100): must not come with AI (3101)", "AI (3101): must not come with AI (3100)"}},
      {"(01)00000012345670(10)A(10)B", {"AI (10): repeated with another value 'A'"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.elements);
    EXPECT_EQ(Check(row.elements), row.findings);
  }
}

struct EveryFaultOfAnAiAndEachRuleOnceRow {
  const char* elements;
  std::vector<std::string> findings;
};

const EveryFaultOfAnAiAndEachRuleOnceRow kEveryFaultOfAnAiAndEachRuleOnceRows[] = {
    // a fault in each component, and the length
    {"(01)09506000134352(8001)00000100101",
     {"AI (8001) position 1: must not be all zeros", "AI (8001) position 12: too short, 14 characters needed"}},
    {"(01)09506000134352(7007)261301261399",
     {"AI (7007) position 3: invalid month '13'", "AI (7007) position 9: invalid month '13'"}},
    {"(01)09506000134352(10)A#(10)A#", {"AI (10) position 2: character '#' is not allowed"}},
    {"(10)A(10)A", {"AI (10): needs AI (01), (02), (03), (8006) or (8026) in the same barcode"}},
    // base64url padding: only at the end, to a multiple of 3, at most two
    {"(00)095060001343528532(8030)12=", {}},
    {"(00)095060001343528532(8030)1==", {}},
    {"(00)095060001343528532(8030)===",
     {"AI (8030) position 1: '===': '=' pads base64url data only at its end, to a length of a multiple of 3, at most "
      "two"}},
    {"(00)095060001343528532(8030)123=",
     {"AI (8030) position 4: '=': '=' pads base64url data only at its end, to a length of a multiple of 3, at most "
      "two"}},
    {"(00)095060001343528532(8030)1=2", {"AI (8030) position 2: character '=' is not allowed"}},
    // a digital signature signs a serialised key
    {"(253)1234567890128(8030)ABC123", {"AI (253): needs its serial part when AI (8030) is present"}},
    {"(253)1234567890128X(8030)ABC123", {}},
    {"(255)1234567890128(8030)ABC123", {"AI (255): needs its serial part when AI (8030) is present"}},
    {"(00)095060001343528532(8003)01234567890128(8030)ABC123",
     {"AI (8003): needs its serial part when AI (8030) is present"}},
    // the coupons and package types
    {"(8110)1061414112345615110123", {}},
    {"(8110)01", {"AI (8110) position 2: the coupon data ends inside its GS1 Company Prefix"}},
    {"(00)095060001343528532(7041)BX", {}},
    {"(00)095060001343528532(7041)0", {"AI (7041) position 1: unknown package type '0'"}},
    // control characters escaped, characters named whole
    {"(01)09506000134352(10)A\nB", {"AI (10) position 2: character '\\x0A' is not allowed"}},
    {"(01)09506000134352(10)A\xC3\xA9", {"AI (10) position 2: character '\xC3\xA9' (U+00E9) is not allowed"}},
    {"(01)0950600013435\xC3\xA9", {"AI (01) position 14: '\xC3\xA9' (U+00E9) is not a digit"}},
};

class EveryFaultOfAnAiAndEachRuleOnce : public ::testing::TestWithParam<EveryFaultOfAnAiAndEachRuleOnceRow> {};

TEST_P(EveryFaultOfAnAiAndEachRuleOnce, Row) {
  const EveryFaultOfAnAiAndEachRuleOnceRow& row = GetParam();
  EXPECT_EQ(Check(row.elements), row.findings);
}

INSTANTIATE_TEST_SUITE_P(Gs1Checks, EveryFaultOfAnAiAndEachRuleOnce,
                         ::testing::ValuesIn(kEveryFaultOfAnAiAndEachRuleOnceRows),
                         test::RowNamer(kEveryFaultOfAnAiAndEachRuleOnceRows,
                                        [](const EveryFaultOfAnAiAndEachRuleOnceRow& r) {
                                          return std::string(r.elements);
                                        }));

TEST(Gs1Checks, FindingsInTheWordsOfAnotherLanguage) {
  const Findings f = AnalyseElementString("(01)00000012345671(17)261331", Data()).findings;
  ASSERT_EQ(f.size(), 2u);
  FindingWords french;
  french.atPosition = "AI ({ai}) position {position}\u00A0:";
  french.sentence = [](FindingKind kind) { return kind == FindingKind::InvalidMonth ? "mois invalide '{found}'" : ""; };
  EXPECT_EQ(FindingText(f[1], french), "AI (17) position 3\u00A0: mois invalide '13'");
  EXPECT_EQ(FindingText(f[0], french), "AI (01) position 14\u00A0: invalid check digit '1', expected '0'")
      << "a kind without a sentence of its own is said in English";
  EXPECT_STREQ(KindName(f[1].kind), "invalid-month");
}

// The AIs that Debian 12's zint predates: it refuses them whatever their data.
const std::set<std::string> kNewerThanZint = {"03",   "4330", "4331", "4332", "4333", "7011", "7041", "716",  "717",
                                              "7241", "7242", "7250", "7251", "7252", "7253", "7254", "7255", "7256",
                                              "7257", "7258", "7259", "8014", "8030", "8040", "8041", "8042", "8043"};

// Coupon rules, which zint checks and this program lists as not checked.
const std::set<std::string> kCoupons = {"8110", "8112"};

// Our verdict on one element alone, leaving out pairings, which zint does not check.
bool WeAccept(const Element& e) { return CheckElement(e, Data().dictionary, Data().codes).empty(); }

TEST(Gs1Checks, ZintAgreesOnEveryAiItKnows) {
  int compared = 0;
  for (const auto& [ai, syntax] : Data().dictionary.Entries()) {
    if (kNewerThanZint.contains(ai) || kCoupons.contains(ai)) continue;
    const std::string valid = ValidSample(syntax);
    std::vector<std::string> variants = {valid, valid + "9", valid.substr(0, valid.size() - 1)};
    if (valid.size() > 2) variants.push_back(valid.substr(0, 2) + "{" + valid.substr(3));
    if (syntax.components[0].linters.size() > 0 && syntax.components[0].linters[0] == "csum") {
      variants.push_back(valid.substr(0, valid.size() - 1) + (valid.back() == '9' ? '0' : char(valid.back() + 1)));
    }
    for (const std::string& data : variants) {
      SCOPED_TRACE("(" + ai + ")" + data);
      const Element e{ai, data};
      EXPECT_EQ(WeAccept(e), ZintVerdict({e}).empty()) << ZintVerdict({e});
      ++compared;
    }
  }
  EXPECT_GT(compared, 1000);
}

TEST(Gs1Checks, ZintRefusesTheAisItPredates) {
  for (const std::string& ai : kNewerThanZint) {
    const Element e{ai, ValidSample(*Data().dictionary.Find(ai))};
    EXPECT_TRUE(WeAccept(e)) << ai;
    EXPECT_FALSE(ZintVerdict({e}).empty()) << ai << ": zint knows it now; take it off the list";
  }
}

}  // namespace
}  // namespace velmora::symbol
