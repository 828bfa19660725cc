#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "support/ShippedData.h"
#include "symbol/ElementForms.h"
#include "symbol/Elements.h"
#include "symbol/Gs1Data.h"
#include "symbol/Samples.h"

namespace velmora::symbol {
namespace {

const Gs1Data& Data() { return test::ShippedGs1(); }
const AiCatalogue& Catalogue() { return Data().catalogue; }
const SyntaxDictionary& Dictionary() { return Data().dictionary; }

// The catalogue is read as the wizard's lookups read it: names in any case, the
// first of a key given twice, numbers from 0 up to the first gap.
TEST(Catalogue, ReadsAsTheWizardsLookups) {
  const AiCatalogue c = ParseAiCatalogue(
      "[id128]\r\nID0_NUMBER=01\r\nid0_length=14\r\nid0_FixedLength=1\r\nid0_Length=99\r\n"
      "id1_number=310\r\nid1_Flags=3\r\nid1_Length=6\r\nid01_number=77\r\nid_number=78\r\n"
      "id3_number=90\r\n[ID128]\r\nid2_number=91\r\n");
  ASSERT_EQ(std::distance(c.begin(), c.end()), 2) << "id3 follows a gap; a second [ID128] is never read";
  ASSERT_NE(c.Find("01"), nullptr);
  ASSERT_NE(c.Find("310"), nullptr);
  EXPECT_EQ(c.Find("01")->length, 14);
  EXPECT_TRUE(c.Find("01")->fixed);
  EXPECT_TRUE(c.Find("310")->decimalDigit);
  EXPECT_EQ(c.Find("310")->length, 6);
}

// The compiled-in catalogue is what reading the shipped file gives, entry for entry.
TEST(Catalogue, TheCompiledTableIsTheShippedFileRead) {
  std::ifstream in(std::string(VELMORA_SHIPPED_DATA_DIR) + "/ID128.inf", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::tuple<std::string_view, int, bool, bool>> read, compiled;
  const AiCatalogue file = ParseAiCatalogue(bytes);
  for (const auto& [number, ai] : file) read.emplace_back(number, ai.length, ai.fixed, ai.decimalDigit);
  for (const auto& [number, ai] : Catalogue()) compiled.emplace_back(number, ai.length, ai.fixed, ai.decimalDigit);
  EXPECT_GT(read.size(), 250u);
  EXPECT_EQ(read, compiled);
}

TEST(ElementString, ReadsAndWritesTheParenthesisedForm) {
  const Elements e = ParseElementString("(01)00000012345670(10)ABC123(3103)000500");
  EXPECT_EQ(e, (Elements{{"01", "00000012345670"}, {"10", "ABC123"}, {"3103", "000500"}}));
  EXPECT_EQ(HumanReadable(e), "(01)00000012345670(10)ABC123(3103)000500");
  EXPECT_EQ(BracketedElements(e), "[01]00000012345670[10]ABC123[3103]000500");
  EXPECT_EQ(ParseElementString("(10)"), (Elements{{"10", ""}})) << "empty data is the checks' to report";
}

TEST(ElementString, AParenthesisInDataIsEscapedAndReadsBack) {
  const Elements e = ParseElementString("(10)AB\\(C)D(91)\\(");
  EXPECT_EQ(e, (Elements{{"10", "AB(C)D"}, {"91", "("}}));
  EXPECT_EQ(HumanReadable(e), "(10)AB\\(C)D(91)\\(");
  EXPECT_EQ(ParseElementString("(10)A\\B"), (Elements{{"10", "A\\B"}})) << "a backslash before anything else is data";
}

TEST(ElementString, EveryFormAScannerOrAUserSends) {
  const Elements expected = {{"01", "00000012345670"}, {"10", "AB(1"}, {"17", "261231"}, {"21", "X"}};
  const char* forms[] = {
      "(01)00000012345670(10)AB\\(1(17)261231(21)X",
      "[01]00000012345670[10]AB(1[17]261231[21]X",
      "]C1010000001234567010AB(1\x1D"
      "1726123121X",
      "]d2010000001234567010AB(1\x1D"
      "1726123121X",
      "]Q3010000001234567010AB(1^1726123121X",
      "^010000001234567010AB(1^1726123121X",
      "\x1D"
      "010000001234567010AB(1\x1D"
      "1726123121X",
      "{FNC1}010000001234567010AB(1{FNC1}1726123121X",
      "]C1{FNC1}010000001234567010AB(1{FNC1}17261231{FNC1}21X",
  };
  for (const char* form : forms) {
    SCOPED_TRACE(form);
    EXPECT_EQ(ReadElementString(form, Dictionary()), expected);
  }
}

TEST(ElementString, EveryCatalogueAiRoundTripsThroughEveryForm) {
  for (const auto& [number, entry] : Catalogue()) {
    const std::string ai = std::string(number) + (entry.decimalDigit ? "3" : "");
    const AiSyntax* syntax = Dictionary().Find(ai);
    ASSERT_NE(syntax, nullptr) << ai;
    std::string data = ValidSample(*syntax);
    if (syntax->components.back().charset == 'X' && !syntax->predefinedLength) data += "(";
    // the AI between two others, so every separator rule is met
    const Elements e = {{"10", "AB"}, {ai, data}, {"21", "7"}};
    SCOPED_TRACE(HumanReadable(e));
    EXPECT_EQ(ReadElementString(HumanReadable(e), Dictionary()), e);
    EXPECT_EQ(ReadElementString(BracketedElements(e), Dictionary()), e);
    for (const char* prefix : {"]C1", "]d2", "]Q3", "^", "{FNC1}"}) {
      for (const char* separator : {"\x1D", "^", "{FNC1}"}) {
        EXPECT_EQ(ReadElementString(UnbracketedElements(e, Dictionary(), prefix, separator), Dictionary()), e)
            << prefix << " " << separator;
      }
    }
  }
}

TEST(ElementString, UnbalancedOrMalformedSaysWhere) {
  const struct {
    const char* text;
    const char* message;
  } rows[] = {
      {"", "element string position 1: no element"},
      {"01)123",
       "element string position 1: an element string starts with '(', '[', a symbology identifier (]C1) or FNC1 (GS, "
       "'^', {FNC1})"},
      {"(01)123(10", "element string position 8: '(' without its ')'"},
      {"[01]12[10", "element string position 7: '[' without its ']'"},
      {"(1)2", "element string position 2: an AI is 2 to 4 digits, not '1'"},
      {"(01A)2", "element string position 2: an AI is 2 to 4 digits, not '01A'"},
      {"]C0010000001234567",
       "element string position 1: symbology identifier ']C0' does not mark GS1 data (]C1, ]d2, ]Q3, ]e0, ]J1)"},
      {"]C10100000012345670\x1D"
       "A1",
       "element string position 21: no AI that GS1 defines starts here"},
      {"]d2", "element string position 4: no AI follows FNC1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    try {
      ReadElementString(row.text, Dictionary());
      ADD_FAILURE() << "no error";
    } catch (const ElementError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

TEST(BarcodeData, SplitWithTheCatalogueLengths) {
  const struct {
    const char* data;
    Elements elements;
  } rows[] = {
      {"{CODE C}{FNC1}0100000012345670{CODE B}10ABC123", {{"01", "00000012345670"}, {"10", "ABC123"}}},
      // a variable-length AI ends at {FNC1}, and so does 402 (one length, not predefined)
      {"{CODE B}{FNC1}10AB{FNC1}{CODE C}3712", {{"10", "AB"}, {"37", "12"}}},
      {"{CODE C}{FNC1}40212345678901234567{FNC1}3712", {{"402", "12345678901234567"}, {"37", "12"}}},
      // a predefined-length AI needs no {FNC1}
      {"{CODE C}{FNC1}0100000012345670{CODE B}10AB", {{"01", "00000012345670"}, {"10", "AB"}}},
      // the decimal digit of 310n belongs to the AI
      {"{CODE C}{FNC1}310300050015261231", {{"3103", "000500"}, {"15", "261231"}}},
      {"{CODE C}{FNC1}3107000500", {{"3107", "000500"}}},
      // a separator after a fixed-length AI is harmless
      {"{FNC1}15261231{FNC1}37000012", {{"15", "261231"}, {"37", "000012"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.data);
    EXPECT_EQ(SplitBarcodeData(row.data, Catalogue()), row.elements);
  }
}

TEST(BarcodeData, DataThatCannotBeSplitSaysWhere) {
  const struct {
    const char* data;
    const char* message;
  } rows[] = {
      {"", "barcode data position 1: GS1-128 data starts with {FNC1}"},
      {"{CODE C}0100000012345670", "barcode data position 1: GS1-128 data starts with {FNC1}"},
      {"{CODE C}{FNC1}", "barcode data position 15: no AI follows {FNC1}"},
      {"{CODE C}{FNC1}0100000012345670{CODE B}AB", "barcode data position 39: no AI of the catalogue starts here"},
      {"{CODE C}{FNC1}01123", "barcode data position 20: AI (01) needs 14 characters"},
      {"{CODE C}{FNC1}0112{FNC1}10A", "barcode data position 19: AI (01) needs 14 characters"},
      {"{FNC1}310", "barcode data position 7: no AI of the catalogue starts here"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.data);
    try {
      SplitBarcodeData(row.data, Catalogue());
      ADD_FAILURE() << "no error";
    } catch (const ElementError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

}  // namespace
}  // namespace velmora::symbol
