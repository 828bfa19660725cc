#include "CatalogueFixture.h"
#include "base/RuntimeError.h"

namespace velmora {
namespace {

using DerivedFieldsTest = test::CatalogueFixture;

struct DeriveCase {
  const char* what;
  std::int16_t rank;
  std::int16_t checkDigit;  // Choice(0)
  std::int16_t nine;        // Choice(1)
  const char* fixData;
  const char* prefix;
  const char* suffix;
  const char* matrix;
  const char* fixDataAfter;
  std::int16_t charLen;
};

TEST_F(DerivedFieldsTest, PrefixSuffixMatrixAndLength) {
  WriteStandardCatalogue();
  const DeriveCase cases[] = {
      {"Gtin", 0, 0, 0, "1234567", "", "", "0000000", "1234567", 14},
      {"GtinCheckDigit", 0, 1, 0, "1234567", "", "X", "000000", "1234567", 13},
      {"GtinCheckDigitAndNine", 0, 1, 1, "1234567", "9", "X", "00000", "1234567", 12},
      {"GtinGrayedBoxesCount", 0, 2, 2, "1", "9", "X", "00000000000", "1", 12},
      {"TooLongIsCut", 0, 1, 0, "123456789012345", "", "X", "", "1234567890123", 13},
      {"ShipToZeros", 3, 1, 0, "12", "0000", "X", "000000", "12", 8},
      {"NineWithoutFlagIgnored", 3, 0, 1, "12", "", "", "00000000000", "12", 13},
      {"VariableLengthTyped", 1, 0, 0, "AB", "", "", "", "AB", 20},
      {"VariableLengthEmpty", 1, 0, 0, "", "", "", "*", "", 20},
      {"CheckBoxWithoutFlagIgnored", 4, 1, 0, "5", "", "", "", "5", 8},
  };
  for (const DeriveCase& c : cases) {
    SCOPED_TRACE(c.what);
    ResetHistory();
    LoadIdCatalogue();
    IdRecord& r = Pick(c.rank);
    r.Choice[0] = c.checkDigit;
    r.Choice[1] = c.nine;
    r.FixData = c.fixData;
    UpdateCurrentId();
    EXPECT_EQ(r.Prefix, c.prefix);
    EXPECT_EQ(r.Suffix, c.suffix);
    EXPECT_EQ(r.Matrix, c.matrix);
    EXPECT_EQ(r.FixData, c.fixDataAfter);
    EXPECT_EQ(r.CharLen, c.charLen);
  }
}

TEST_F(DerivedFieldsTest, FixedAlphanumericGetsBlanksOfTheFullLength) {
  WriteCatalogue({{"8020", 0, 25, 0, -1, "Payment slip"}});
  IdRecord& r = Pick(0);
  r.FixData = "ABC";
  UpdateCurrentId();
  EXPECT_EQ(r.Matrix, std::string(25, ' '));
}

TEST_F(DerivedFieldsTest, HostVariableHasNoMatrixOnlyALength) {
  WriteStandardCatalogue();
  for (std::int16_t rank : {0, 1, 4}) {
    IdRecord& r = Pick(rank);
    r.IsFixed = 0;
    r.Choice[0] = 1;
    UpdateCurrentId();
    EXPECT_EQ(r.Matrix, "") << rank;
  }
  EXPECT_EQ(History().IdTable(0).CharLen, 13);
}

TEST_F(DerivedFieldsTest, DecimalDigitReplacesThePreviousOne) {
  WriteStandardCatalogue();
  IdRecord& r = Pick(2);
  EXPECT_EQ(r.IdKey, "3100") << "selection 0 of a fresh record";
  r.Selection = 2;
  UpdateCurrentId();
  EXPECT_EQ(r.IdKey, "3102");
  r.Selection = 5;
  UpdateCurrentId();
  EXPECT_EQ(r.IdKey, "3105");
  r.Selection = -1;
  UpdateCurrentId();
  EXPECT_EQ(r.IdKey, "3105") << "no selection leaves the key";
  IdRecord& count = Pick(4);
  count.Selection = 3;
  UpdateCurrentId();
  EXPECT_EQ(count.IdKey, "37");
}

TEST_F(DerivedFieldsTest, CatalogueLengthShorterThanPrefixAndCheckDigit) {
  WriteCatalogue({{"01", 5, 1, -1, -1, "Odd"}});
  IdRecord& r = Pick(0);
  r.Choice[0] = 1;
  r.Choice[1] = 1;
  r.FixData = "12";
  UpdateCurrentId();
  EXPECT_EQ(r.FixData, "");
  EXPECT_EQ(r.Matrix, "");
  EXPECT_EQ(r.CharLen, -1);
}

TEST_F(DerivedFieldsTest, LengthsPast16BitsOverflow) {
  WriteStandardCatalogue();
  LoadIdCatalogue();
  IdRecord& r = Pick(0);
  r.FixData = std::string(40000, '1');
  try {
    UpdateCurrentId();
    FAIL() << "40,000 typed digits fit no 16-bit length";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
}

}  // namespace
}  // namespace velmora
