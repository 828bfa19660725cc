#include "CatalogueFixture.h"

namespace velmora {
namespace {

using CatalogueTest = test::CatalogueFixture;

TEST_F(CatalogueTest, ListLinesAreFiveCharactersATabAndTheName) {
  WriteCatalogue(
      {{"310", 2, 6, -1, -1, "Net weight"}, {"1234567", 0, 1, 0, 0, "Long number"}, {"", 0, 0, 0, 0, "No number"}});
  const auto& list = History().IdCatalogueList;
  ASSERT_EQ(list.UBound(), 2);
  EXPECT_EQ(list(0), "310  \tNet weight");
  EXPECT_EQ(list(1), "12345\tLong number");
  EXPECT_EQ(list(2), "     \tNo number");
}

TEST_F(CatalogueTest, CatalogueEndsAtTheFirstShortName) {
  WriteCatalogue({{"01", 0, 14, -1, -1, "GTIN"}, {"02", 0, 14, -1, -1, "X"}, {"10", 0, 20, 0, 0, "Batch"}});
  EXPECT_EQ(History().IdCatalogueList.UBound(), 0);
  for (const auto& flags : History().IdFlags) EXPECT_EQ(flags.UBound(), 0);
}

TEST_F(CatalogueTest, NoNameAtAllGivesAnEmptyCatalogue) {
  WriteCatalogue({});
  EXPECT_FALSE(History().IdCatalogueList.HasElements());
  for (const auto& flags : History().IdFlags) EXPECT_FALSE(flags.HasElements());
}

TEST_F(CatalogueTest, FlagBitsGoToTheirArrays) {
  dir.Write("ID128.inf", "[ID128]\r\nid0_Flags=9\r\nid1_Flags=2.5\r\nid2_Flags=abc\r\nid3_Flags=15\r\n");
  dir.Write("cn128A.INF", "[Country]\r\nid0_name=aa\r\nid1_name=bb\r\nid2_name=cc\r\nid3_name=dd\r\n");
  LoadIdCatalogue();
  const std::array<std::array<bool, 4>, 4> expected = {{
      {true, false, false, true},    // 9 = 1 + 8
      {false, true, false, false},   // 2.5 rounds to 2
      {false, false, false, false},  // not a number
      {true, true, true, true},
  }};
  for (std::int16_t n = 0; n < 4; ++n) {
    for (std::size_t bit = 0; bit < 4; ++bit) {
      EXPECT_EQ(HasIdFlag(n, static_cast<IdFlag>(bit)), expected[n][bit]) << "entry " << n << " bit " << bit;
    }
  }
}

TEST_F(CatalogueTest, PickingAnEntryFillsTheCatalogueFieldsOnly) {
  WriteStandardCatalogue();
  AddIdRecord();
  IdRecord& r = History().IdTable(0);
  r.FixData = "kept";
  r.IsFixed = 0;
  FillRecordFromCatalogue(r, 1);
  EXPECT_EQ(r.RankInFile, 1);
  EXPECT_EQ(r.IdName, "Batch or lot");
  EXPECT_EQ(r.IdKey, "10");
  EXPECT_EQ(r.IdKeyBackup, "10");
  EXPECT_EQ(r.CharLen, 20);
  EXPECT_EQ(r.CharLenBackup, 20);
  EXPECT_EQ(r.IsNumeric, 0);
  EXPECT_EQ(r.HasMax, 0);
  EXPECT_EQ(r.FixData, "kept");
  EXPECT_EQ(r.IsFixed, 0);
}

TEST_F(CatalogueTest, FreshRecordValues) {
  IdRecord r;
  r.FixData = "x";
  InitIdRecord(r);
  EXPECT_EQ(r.RankInFile, -2);
  EXPECT_EQ(r.IndexInList, -1);
  EXPECT_EQ(r.IsSaved, -3);
  EXPECT_EQ(r.IsFixed, -1);
  EXPECT_EQ(r.IsNumeric, -1);
  EXPECT_EQ(r.HasMax, -1);
  EXPECT_EQ(r.FixData, "");
  EXPECT_EQ(r.Choice, (std::array<std::int16_t, 5>{0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace velmora
