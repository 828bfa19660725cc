// Each linter with rows of GS1's own examples and the edges of its rule. A row
// expects no fault (kind None) or the fault's kind and its offset in the component.
#include <gtest/gtest.h>

#include "symbol/Gs1Data.h"
#include "symbol/Linters.h"

namespace velmora::symbol {
namespace {

struct Row {
  const char* linter;
  const char* data;
  std::optional<FindingKind> fault;
  std::size_t offset = 0;
};

constexpr std::nullopt_t Ok = std::nullopt;

TEST(Linters, GiveGs1sVerdicts) {
  const Row rows[] = {
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
      {"nozeroprefix", "0", Ok},
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
      // linters that need outside tables are listed and pass
      {"packagetype", "??", Ok},
  };
  const IsoCodes& iso = InstalledIsoCodes();
  ASSERT_TRUE(iso.Loaded()) << "Debian's iso-codes tables";
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.linter) + " " + row.data);
    const auto fault = Lint(row.linter, row.data, iso);
    ASSERT_EQ(fault.has_value(), row.fault.has_value());
    if (fault) {
      EXPECT_EQ(fault->kind, *row.fault);
      EXPECT_EQ(fault->offset, row.offset);
    }
  }
}

TEST(Linters, EveryLinterOfTheDictionaryIsCheckedOrListed) {
  // A new dictionary release with a new linter fails here rather than passing silently.
  const Gs1Data gs1 = LoadGs1Data(VELMORA_SHIPPED_DATA_DIR);
  const auto& unchecked = UncheckedLinters();
  for (const auto& [ai, syntax] : gs1.dictionary.Entries()) {
    for (const Component& c : syntax.components) {
      for (const std::string& name : c.linters) {
        const bool listed = std::find(unchecked.begin(), unchecked.end(), name) != unchecked.end();
        EXPECT_NE(listed, IsCheckedLinter(name)) << "AI " << ai << " linter " << name;
      }
    }
  }
}

}  // namespace
}  // namespace velmora::symbol
