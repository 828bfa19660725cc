#include "CatalogueFixture.h"
#include "ids/FormulaComposer.h"

namespace velmora {
namespace {

class ComposerTest : public test::CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    WriteStandardCatalogue();
  }
};

TEST_F(ComposerTest, WorkedExample) {
  Typed(0, "1234567", 1);
  FromVariable(1, "LOT");
  EXPECT_EQ(ComposeBarcodeData(),
            "\"{CODE C}{FNC1}010000001234567\" & Modulo10(\"0000001234567\") & \"{CODE B}10\" & LOT");
  EXPECT_EQ(ComposeReadableText(), "\"(01)0000001234567\" & Modulo10(\"0000001234567\") & \"(10)\" & LOT");
}

TEST_F(ComposerTest, FixedLengthVariableIsPadded) {
  Typed(0, "1234567", 1);
  FromVariable(5, "BEST");
  EXPECT_EQ(ComposeBarcodeData(),
            "\"{CODE C}{FNC1}010000001234567\" & Modulo10(\"0000001234567\") & \"15\" & Left(BEST & \"000000\", 6)");
}

TEST_F(ComposerTest, NothingCompleteGivesTheEmptyFormula) {
  EXPECT_EQ(ComposeBarcodeData(), "");
  Pick(1);  // variable length, no data yet
  EXPECT_EQ(ComposeBarcodeData(), "");
  EXPECT_EQ(ComposeReadableText(), "");
}

TEST_F(ComposerTest, OneNumericAiIsOneLiteral) {
  Typed(5, "261231");
  EXPECT_EQ(ComposeBarcodeData(), "\"{CODE C}{FNC1}15261231\"");
  EXPECT_EQ(ComposeReadableText(), "\"(15)261231\"");
}

TEST_F(ComposerTest, CodeSetMarkersFollowTheKindOfEachAi) {
  Typed(5, "261231");
  Typed(0, "1");
  Typed(5, "270101");
  EXPECT_EQ(ComposeBarcodeData(),
            "\"{CODE C}{FNC1}152612310100000000000001"
            "15270101\"");
  ResetHistory();
  LoadIdCatalogue();
  Typed(5, "261231");
  Typed(1, "AB");
  Typed(4, "12");
  EXPECT_EQ(ComposeBarcodeData(), "\"{CODE C}{FNC1}15261231{CODE B}10AB{FNC1}{CODE C}3712\"");
  EXPECT_EQ(ComposeReadableText(), "\"(15)261231(10)AB(37)12\"");
}

TEST_F(ComposerTest, CodeSetMarkersCompareTheStoredValues) {
  // A catalogue that says 1 for "numeric": 1 and -1 differ, so each change gets a marker.
  WriteCatalogue({{"15", 0, 6, 1, -1, "Best before"}, {"37", 0, 8, -1, -1, "Count"}, {"20", 0, 2, 1, -1, "Variant"}});
  Typed(0, "261231");
  Typed(1, "12345678");
  Typed(2, "01");
  EXPECT_EQ(ComposeBarcodeData(), "\"{CODE C}{FNC1}15261231{CODE C}3712345678{CODE C}2001\"");
}

TEST_F(ComposerTest, SeparatorAfterAVariableLengthAiThatIsNotLast) {
  FromVariable(1, "LOT");
  Typed(4, "12");
  EXPECT_EQ(ComposeBarcodeData(), "\"{CODE B}{FNC1}10\" & LOT & \"{FNC1}{CODE C}3712\"");
  EXPECT_EQ(ComposeReadableText(), "\"(10)\" & LOT & \"(37)12\"");
}

TEST_F(ComposerTest, SeparatorFollowsTheCheckDigit) {
  WriteCatalogue({{"8017", 1, 18, -1, 0, "Service relation"}, {"37", 0, 8, -1, 0, "Count"}});
  Typed(0, "12345678901234567", 1);
  Typed(1, "5");
  EXPECT_EQ(ComposeBarcodeData(),
            "\"{CODE C}{FNC1}801712345678901234567\" & Modulo10(\"12345678901234567\") & \"{FNC1}375\"");
}

TEST_F(ComposerTest, IncompleteLastRecordIsLeftOutAndTheLiteralClosed) {
  Typed(1, "AB");
  Pick(4);  // still being typed
  EXPECT_EQ(ComposeBarcodeData(), "\"{CODE B}{FNC1}10AB\"");
  EXPECT_EQ(ComposeReadableText(), "\"(10)AB\"");
}

TEST_F(ComposerTest, TypedDataIsNeverEscaped) {
  Typed(1, "A\"B&C");
  EXPECT_EQ(ComposeBarcodeData(), "\"{CODE B}{FNC1}10A\"B&C\"");
}

TEST_F(ComposerTest, VariableFedCheckDigitTakesTheBareVariable) {
  IdRecord& r = FromVariable(0, "GTIN");
  r.Choice[0] = 1;
  r.Choice[1] = 1;
  UpdateCurrentId();
  EXPECT_EQ(ComposeBarcodeData(), "\"{CODE C}{FNC1}019\" & Left(GTIN & \"000000000000\", 12) & Modulo10(GTIN)");
}

TEST_F(ComposerTest, CompositionsDoNotInfluenceEachOther) {
  Typed(1, "AB");
  const std::string first = ComposeBarcodeData();
  ComposeReadableText();
  EXPECT_EQ(ComposeBarcodeData(), first);
}

TEST(FormulaJoint, OpensClosesAndJoinsLiterals) {
  ResetHistory();
  EXPECT_EQ(FormulaJoint(False, False), "\"") << "a formula always opens with a literal";
  EXPECT_EQ(FormulaJoint(True, True), "");
  EXPECT_EQ(FormulaJoint(False, True), "\" & ");
  EXPECT_EQ(FormulaJoint(False, True), " & ");
  EXPECT_EQ(FormulaJoint(True, True), " & \"");
}

}  // namespace
}  // namespace velmora
