// Each linter with rows of GS1's own examples and the edges of its rule. A row
// expects no fault (kind None) or the fault's kind and its offset in the component.
#include <gtest/gtest.h>

#include "support/RowNames.h"
#include "support/ShippedData.h"
#include "symbol/Gs1Data.h"
#include "symbol/Linters.h"

namespace velmora::symbol {
namespace {

struct Row {
  const char* linter;
  std::string data;
  std::optional<FindingKind> fault;
  std::size_t offset = 0;
};

constexpr std::nullopt_t Ok = std::nullopt;

const Row kVerdicts[] = {
    // check digits: the GTIN of the worked example, GS1's GMN example
    {"csum", "00000012345670", Ok},
    {"csum", "00000012345671", FindingKind::CheckDigit, 13},
    {"csum", "376104250021234569", Ok},
    {"csumalpha", "1987654Ad4X4bL5ttr2310c2K", Ok},
    {"csumalpha", "1987654Ad4X4bL5ttr2310c2A", FindingKind::CheckDigit, 23},
    // dates: month, days of the month, leap years, day 00 where allowed
    {"yymmd0", "261231", Ok},
    {"yymmd0", "260200", Ok},
    {"yymmd0", "261331", FindingKind::InvalidMonth, 2},
    {"yymmd0", "260001", FindingKind::InvalidMonth, 2},
    {"yymmd0", "260230", FindingKind::InvalidDay, 4},
    {"yymmd0", "240229", Ok},
    {"yymmd0", "250229", FindingKind::InvalidDay, 4},
    {"yymmdd", "260100", FindingKind::InvalidDay, 4},
    {"yymmdd", "260431", FindingKind::InvalidDay, 4},
    {"yyyymmdd", "20000229", Ok},
    {"yyyymmdd", "19000229", FindingKind::InvalidDay, 6},
    {"yyyymmdd", "20261301", FindingKind::InvalidMonth, 4},
    // times
    {"hhmi", "2359", Ok},
    {"hhmi", "2400", FindingKind::InvalidHour, 0},
    {"hhmi", "2360", FindingKind::InvalidMinute, 2},
    {"hh", "23", Ok},
    {"mi", "60", FindingKind::InvalidMinute, 0},
    {"ss", "59", Ok},
    {"ss", "60", FindingKind::InvalidSecond, 0},
    // ISO tables
    {"iso3166", "250", Ok},
    {"iso3166", "999", FindingKind::UnknownCountry, 0},
    {"iso3166999", "999", Ok},
    {"iso3166alpha2", "FR", Ok},
    {"iso3166alpha2", "XX", FindingKind::UnknownCountry, 0},
    {"iso4217", "978", Ok},
    {"iso4217", "000", FindingKind::UnknownCurrency, 0},
    // the tables as amended: ZWG (2024) in, HRK (2023), ZWL, SLL, CUC out
    {"iso4217", "924", Ok},
    {"iso4217", "396", Ok},
    {"iso4217", "191", FindingKind::UnknownCurrency, 0},
    {"iso4217", "932", FindingKind::UnknownCurrency, 0},
    {"iso4217", "694", FindingKind::UnknownCurrency, 0},
    {"iso4217", "931", FindingKind::UnknownCurrency, 0},
    // GS1's package type codes: UN/CEFACT Recommendation 21 and GS1's own
    {"packagetype", "BX", Ok},
    {"packagetype", "1A", Ok},
    {"packagetype", "200", Ok},
    {"packagetype", "X11", Ok},
    {"packagetype", "0", FindingKind::UnknownPackageType, 0},
    {"packagetype", "1A_", FindingKind::UnknownPackageType, 0},
    {"packagetype", "bx", FindingKind::UnknownPackageType, 0},
    // small closed sets
    {"yesno", "1", Ok},
    {"yesno", "2", FindingKind::NotYesNo, 0},
    {"zero", "0", Ok},
    {"zero", "1", FindingKind::NotZero, 0},
    {"winding", "9", Ok},
    {"winding", "2", FindingKind::BadWinding, 0},
    {"iso5218", "9", Ok},
    {"iso5218", "3", FindingKind::BadSex, 0},
    {"mediatype", "10", Ok},
    {"mediatype", "80", Ok},
    {"mediatype", "11", FindingKind::BadMediaType, 0},
    {"mediatype", "00", FindingKind::BadMediaType, 0},
    {"importeridx", "_", Ok},
    {"importeridx", "#", FindingKind::BadImporterIndex, 0},
    {"hyphen", "-", Ok},
    {"hyphen", "A", FindingKind::NotHyphen, 0},
    // numbers and structure
    {"nonzero", "0001", Ok},
    {"nonzero", "0000", FindingKind::AllZeros, 0},
    {"pieceoftotal", "0102", Ok},
    {"pieceoftotal", "0202", Ok},
    {"pieceoftotal", "0201", FindingKind::BadPieceOfTotal, 0},
    {"pieceoftotal", "0001", FindingKind::BadPieceOfTotal, 0},
    {"latitude", "1800000000", Ok},
    {"latitude", "1800000001", FindingKind::BadLatitude, 0},
    {"longitude", "3600000001", FindingKind::BadLongitude, 0},
    {"posinseqslash", "1/2", Ok},
    {"posinseqslash", "3/2", FindingKind::BadSequence, 0},
    {"posinseqslash", "0/2", FindingKind::BadSequence, 0},
    {"pcenc", "a%20b", Ok},
    {"pcenc", "ab%2", FindingKind::BadPercentEncoding, 2},
    {"pcenc", "%G0", FindingKind::BadPercentEncoding, 0},
    {"iban", "GB82WEST12345698765432", Ok},
    {"iban", "GB83WEST12345698765432", FindingKind::BadIban, 0},
    {"iban", "XX82WEST12345698765432", FindingKind::BadIban, 0},
    {"nozeroprefix", "0", FindingKind::ZeroPrefix, 0},
    {"nozeroprefix", "10", Ok},
    {"nozeroprefix", "01", FindingKind::ZeroPrefix, 0},
    {"hasnondigit", "12A", Ok},
    {"hasnondigit", "123", FindingKind::NoNonDigit, 0},
    // the company prefix: its shape only
    {"gcppos1", "0614141", Ok},
    {"gcppos1", "061", FindingKind::NoCompanyPrefix, 0},
    {"gcppos1", "06A4141", FindingKind::NoCompanyPrefix, 2},
    {"gcppos2", "10614141", Ok},
    {"gcppos2", "A0614141", Ok},
    {"gcppos2", "1061A141", FindingKind::NoCompanyPrefix, 4},
};
using K = FindingKind;
// GCP VLI 0 (6 digits), offer 123456, save value VLI 1, purchase VLI 1, code 1, family 123
const char* const kBase = "012345612345611110123";
const std::string base = kBase;

// The coupon formats field by field.
const Row kCouponFields[] = {
    {"couponcode", kBase, Ok},
    {"couponcode", "", K::CouponTruncated, 0},
    {"couponcode", "01234561234561111012a", K::NotDigit, 20},
    {"couponcode", "01", K::CouponTruncated, 1},
    {"couponcode", "0123456", K::CouponTruncated, 7},         // the offer code
    {"couponcode", "71234567890123", K::CouponBadValue, 0},   // GCP VLI 0 to 6
    {"couponcode", "01234561234560", K::CouponBadValue, 13},  // save value VLI 1 to 5
    {"couponcode", "01234561234561", K::CouponTruncated, 14},
    {"couponcode", "0123456123456110", K::CouponBadValue, 15},    // purchase VLI 1 to 5
    {"couponcode", "012345612345611115", K::CouponBadValue, 17},  // requirement code 0-4, 9
    {"couponcode", "012345612345611119123", Ok},
    {"couponcode", "0123456123456111101", K::CouponTruncated, 18},  // family code
    {"couponcode", "0123456123456111101230", K::CouponExcess, 21},  // no field 0
    // field 1: rules code 0-3, second purchase, its GCP VLI 0-6 or 9 (none)
    {"couponcode",
     (base + "10"
             "11"
             "1"
             "123"
             "9"),
     Ok},
    {"couponcode", (base + "14"), K::CouponBadValue, 22},
    {"couponcode",
     (base + "10"
             "11"
             "1"
             "123"
             "0"
             "12345"),
     K::CouponTruncated, 30},
    {"couponcode",
     (base + "10"
             "11"
             "1"
             "123"
             "0"
             "123456"),
     Ok},
    {"couponcode",
     (base + "10"
             "11"
             "1"
             "123"
             "7"),
     K::CouponBadValue, 29},
    // field 2: third purchase
    {"couponcode",
     (base + "2"
             "11"
             "1"
             "123"
             "9"),
     Ok},
    {"couponcode",
     (base + "2"
             "61"),
     K::CouponBadValue, 22},
    // fields 3 and 4: dates, the start not after the expiry
    {"couponcode",
     (base + "3"
             "261231"),
     Ok},
    {"couponcode",
     (base + "3"
             "261331"),
     K::CouponBadValue, 22},
    {"couponcode",
     (base + "3"
             "2612"),
     K::CouponTruncated, 22},
    {"couponcode",
     (base + "3"
             "261231"
             "4"
             "260101"),
     Ok},
    {"couponcode",
     (base + "3"
             "260101"
             "4"
             "261231"),
     K::CouponBadValue, 29},
    {"couponcode",
     (base + "4"
             "260101"
             "3"
             "261231"),
     K::CouponExcess, 28},  // fields in order only
    // field 5: serial number VLI (+6); field 6: retailer VLI 1 to 7 (+6)
    {"couponcode",
     (base + "5"
             "0"
             "123456"),
     Ok},
    {"couponcode",
     (base + "5"
             "1"
             "123456"),
     K::CouponTruncated, 23},
    {"couponcode",
     (base + "6"
             "1"
             "1234567"),
     Ok},
    {"couponcode",
     (base + "6"
             "0"
             "123456"),
     K::CouponBadValue, 22},
    // field 9: save value code, applies to item, store coupon, don't multiply
    {"couponcode",
     (base + "9"
             "0"
             "0"
             "1"
             "1"),
     Ok},
    {"couponcode",
     (base + "9"
             "3"),
     K::CouponBadValue, 22},
    {"couponcode",
     (base + "9"
             "0"
             "3"),
     K::CouponBadValue, 23},
    {"couponcode",
     (base + "9"
             "0"
             "0"
             "1"
             "2"),
     K::CouponBadValue, 25},
    {"couponcode",
     (base + "9"
             "0"
             "0"
             "1"),
     K::CouponTruncated, 25},
    {"couponcode",
     (base + "3"
             "261231"
             "5"
             "0"
             "123456"
             "6"
             "1"
             "1234567"
             "9"
             "0011"),
     Ok},
    // 8112: format 0 or 1, funder VLI 0-6 (+6), offer, serial VLI (+6)
    {"couponposoffer", "001234561234560123456", Ok},
    {"couponposoffer", "", K::CouponTruncated, 0},
    {"couponposoffer", "a01234561234560123456", K::NotDigit, 0},
    {"couponposoffer", "201234561234560123456", K::CouponBadValue, 0},
    {"couponposoffer", "071234561234560123456", K::CouponBadValue, 1},
    {"couponposoffer", "00123456123456012345", K::CouponTruncated, 15},
    {"couponposoffer", "0012345612345601234567", K::CouponExcess, 21},
};
class Linter : public ::testing::TestWithParam<Row> {};

TEST_P(Linter, GivesGs1sVerdict) {
  const Row& row = GetParam();
  const auto fault = Lint(row.linter, row.data, test::ShippedGs1().codes);
  EXPECT_EQ(fault.has_value(), row.fault.has_value());
  if (fault && row.fault) {
    EXPECT_EQ(fault->kind, *row.fault);
    EXPECT_EQ(fault->offset, row.offset);
  }
}

std::string Describe(const Row& row) { return std::string(row.linter) + "_" + row.data; }

INSTANTIATE_TEST_SUITE_P(Rows, Linter, ::testing::ValuesIn(kVerdicts), test::RowNamer(kVerdicts, Describe));
INSTANTIATE_TEST_SUITE_P(Coupon, Linter, ::testing::ValuesIn(kCouponFields), test::RowNamer(kCouponFields, Describe));

TEST(Linters, EveryLinterOfTheDictionaryIsChecked) {
  // A new dictionary release with a new linter fails here rather than passing silently.
  const Gs1Data& gs1 = test::ShippedGs1();
  for (const auto& [ai, syntax] : gs1.dictionary.Entries()) {
    for (const Component& c : syntax.components) {
      for (const std::string_view name : c.linters)
        EXPECT_TRUE(IsCheckedLinter(name)) << "AI " << ai << " linter " << name;
    }
  }
}

}  // namespace
}  // namespace velmora::symbol
