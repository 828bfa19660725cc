#include <gtest/gtest.h>

#include "support/ShippedData.h"
#include "symbol/Gs1Data.h"
#include "symbol/Gs1_128Limits.h"
#include "symbol/Samples.h"
#include "symbol/ScanBack.h"

namespace velmora::symbol {
namespace {

const Gs1Data& Data() { return test::ShippedGs1(); }

TEST(EncodeScan, TheWorkedExampleScansBackAsEncoded) {
  const Elements e = ParseElementString("(01)00000012345670(10)ABC123");
  const EncodedSymbol symbol = EncodeGs1_128(e);
  ASSERT_TRUE(symbol.Ok()) << symbol.error;
  const ScanResult scan = ScanCode128(RenderForScan(symbol));
  ASSERT_TRUE(scan.found);
  EXPECT_EQ(scan.symbologyIdentifier, "]C1");
  EXPECT_EQ(scan.text,
            "0100000012345670"
            "10ABC123");
  EXPECT_EQ(VerifyScan(RenderForScan(symbol), e, Data().dictionary), "");
}

TEST(EncodeScan, TheVariableLengthAi235IsEncodedLast) {
  // zint would put no FNC1 after it, and the scanner would read (235)A90X1.
  const EncodedSymbol symbol = EncodeGs1_128(ParseElementString("(01)00000012345670(235)A(90)X1"));
  EXPECT_EQ(HumanReadable(symbol.elements), "(01)00000012345670(90)X1(235)A");
  EXPECT_EQ(VerifyScan(RenderForScan(symbol), symbol.elements, Data().dictionary), "");
}

TEST(EncodeScan, EveryAiOfTheCatalogueRoundTrips) {
  // Every AI the wizard offers, with valid data, after and before another
  // element so that separators are exercised too.
  int tried = 0;
  for (const auto& [number, entry] : Data().catalogue) {
    const std::string ai = std::string(number) + (entry.decimalDigit ? "2" : "");
    const AiSyntax* syntax = Data().dictionary.Find(ai);
    ASSERT_NE(syntax, nullptr) << ai;
    const std::string data = ValidSample(*syntax);
    for (const Elements& e : {Elements{{ai, data}, {"90", "X1"}}, Elements{{"91", "Y2"}, {ai, data}}}) {
      SCOPED_TRACE(HumanReadable(e));
      const EncodedSymbol symbol = EncodeGs1_128(e);
      ASSERT_TRUE(symbol.Ok()) << symbol.error;
      EXPECT_EQ(VerifyScan(RenderForScan(symbol), symbol.elements, Data().dictionary), "");
    }
    ++tried;
  }
  EXPECT_GT(tried, 250);
}

// The 2D forms: every catalogue AI in GS1 DataMatrix and GS1 QR Code, with
// FNC1 first and GS between fields, read back with the right symbology
// identifier; the Digital Link forms carry the URI as it is.
TEST(EncodeScan, EveryAiOfTheCatalogueRoundTripsInBoth2DSymbols) {
  int tried = 0;
  for (const auto& [number, entry] : Data().catalogue) {
    const std::string ai = std::string(number) + (entry.decimalDigit ? "2" : "");
    const Elements e = {{"91", "Y2"}, {ai, ValidSample(*Data().dictionary.Find(ai))}, {"90", "X1"}};
    for (const SymbolKind kind : {SymbolKind::Gs1DataMatrix, SymbolKind::Gs1Qr}) {
      SCOPED_TRACE(std::string(SymbolName(kind)) + " " + HumanReadable(e));
      const EncodedSymbol symbol = EncodeMatrix(kind, e, "");
      ASSERT_TRUE(symbol.Ok()) << symbol.error;
      EXPECT_EQ(symbol.rows, symbol.Columns()) << "square";
      EXPECT_EQ(VerifySymbol(RenderForScan(symbol, 3), symbol, Data().dictionary), "");
    }
    ++tried;
  }
  EXPECT_GT(tried, 250);
  const std::string uri = "https://id.gs1.org/01/09506000134352/10/AB%2FC?17=271231";
  for (const SymbolKind kind : {SymbolKind::DlQr, SymbolKind::DlDataMatrix}) {
    SCOPED_TRACE(SymbolName(kind));
    const EncodedSymbol symbol = EncodeMatrix(kind, {}, uri);
    ASSERT_TRUE(symbol.Ok()) << symbol.error;
    EXPECT_EQ(VerifySymbol(RenderForScan(symbol, 3), symbol, Data().dictionary), "");
    EncodedSymbol other = symbol;
    other.uri += "&10=X";
    EXPECT_EQ(VerifySymbol(RenderForScan(symbol, 3), other, Data().dictionary),
              "scanned " + uri + ", encoded " + other.uri);
  }
  // GS1 QR read back as if it were plain QR: the identifier tells them apart
  EncodedSymbol gs1 = EncodeMatrix(SymbolKind::Gs1Qr, {{"01", "09506000134352"}}, "");
  EncodedSymbol plain = gs1;
  plain.kind = SymbolKind::DlQr;
  EXPECT_EQ(VerifySymbol(RenderForScan(gs1, 3), plain, Data().dictionary), "symbology identifier ']Q3', not ']Q1'");
}

TEST(EncodeScan, AMismatchIsAnError) {
  const EncodedSymbol symbol = EncodeGs1_128(ParseElementString("(01)00000012345670(10)ABC123"));
  EXPECT_EQ(VerifyScan(RenderForScan(symbol), ParseElementString("(01)00000012345670(10)ABC124"), Data().dictionary),
            "scanned (01)00000012345670(10)ABC123, encoded (01)00000012345670(10)ABC124");
  GreyImage blank = RenderForScan(symbol);
  std::fill(blank.pixels.begin(), blank.pixels.end(), 255);
  EXPECT_EQ(VerifyScan(blank, {}, Data().dictionary), "the symbol could not be scanned");
}

// zint's refusal is said in our words: which symbol, how much data, what fits.
TEST(EncodeScan, DataTooLongForItsSymbolSaysWhatFits) {
  std::string many = "(01)09506000134352";
  for (int i = 0; i < 60; ++i) many += "(91)" + std::string(90, 'A');
  const struct {
    SymbolKind kind;
    std::string says;
  } rows[] = {
      {SymbolKind::Gs1DataMatrix, "is more than a Data Matrix can hold: a Data Matrix holds at most 3116 digits"},
      {SymbolKind::Gs1Qr, "is more than a QR Code can hold: a QR Code holds at most 7089 digits"},
  };
  for (const auto& row : rows) {
    const EncodedSymbol symbol = EncodeMatrix(row.kind, ParseElementString(many), "");
    EXPECT_NE(symbol.error.find(row.says), std::string::npos) << symbol.error;
    EXPECT_EQ(symbol.error.find("Error "), std::string::npos) << symbol.error;
  }
}

TEST(EncodeScan, BarRunsCoverTheDarkModules) {
  const EncodedSymbol symbol = EncodeGs1_128(ParseElementString("(00)376104250021234569"));
  int dark = 0;
  for (const bool m : symbol.modules) dark += m ? 1 : 0;
  int covered = 0;
  for (const auto& [start, width] : BarRuns(symbol)) covered += width;
  EXPECT_EQ(covered, dark);
  EXPECT_TRUE(symbol.modules.front());
  EXPECT_TRUE(symbol.modules.back()) << "the stop pattern ends in a bar";
}

// GS1-128's own limits: the characters the symbol carries (AIs, data and the
// FNC1 after an AI of no predefined length that another follows), the finding
// at the AI that passes 48, and the length with the quiet zones.
TEST(Gs1_128Limits, CharactersAndLength) {
  const struct {
    const char* elements;
    int characters;
    const char* passesAt;  // nullptr: within both limits at 0.25 mm
  } rows[] = {
      {"(00)095060000000000015(02)09506000134352(37)48(10)LOT2027A(15)271231", 60, "10"},
      {"(01)09506000134352(17)271231(10)ABC123", 32, nullptr},
      {"(10)ABC(21)XYZ", 11, nullptr},  // one FNC1, none after the last
      {"(235)X(10)A", 8, nullptr},      // (235) goes last, where it needs no FNC1
      {"(00)095060000000000015(01)09506000134352(10)AAAAAAAAAA", 48, nullptr},
      {"(00)095060000000000015(01)09506000134352(10)AAAAAAAAAAA", 49, "10"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.elements);
    const Elements e = ParseElementString(row.elements);
    EXPECT_EQ(Gs1_128Characters(e, Data().dictionary), row.characters);
    const Findings f = Gs1_128LimitFindings(e, Data().dictionary);
    ASSERT_EQ(f.size(), row.passesAt != nullptr ? 1u : 0u);
    if (row.passesAt != nullptr) {
      EXPECT_EQ(f[0].ai, row.passesAt);
    }
  }
  const Elements pallet = ParseElementString("(00)095060000000000015(01)09506000134352(10)AAAAAAAAAA");
  const EncodedSymbol symbol = EncodeGs1_128(pallet);
  EXPECT_EQ(Gs1_128LimitFindings(pallet, Data().dictionary, &symbol, 0.25).size(), 0u);
  const Findings longer = Gs1_128LimitFindings(pallet, Data().dictionary, &symbol, 0.8);
  ASSERT_EQ(longer.size(), 1u);
  EXPECT_EQ(longer[0].kind, FindingKind::SymbolLength);
  EXPECT_NE(FindingText(longer[0]).find("long with its quiet zones at a 0.80 mm module"), std::string::npos);
}

}  // namespace
}  // namespace velmora::symbol
