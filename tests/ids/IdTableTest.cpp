#include "CatalogueFixture.h"

namespace velmora {
namespace {

using IdTableTest = test::CatalogueFixture;

class RecordingList : public ListControl {
 public:
  void Clear() override { items.clear(); }
  void AddItem(const std::string& text) override { items.push_back(text); }
  std::int16_t NewIndex() const override { return static_cast<std::int16_t>(items.size() - 1); }
  void SetItemData(std::int16_t, std::int32_t) override {}
  std::int16_t ListCount() const override { return static_cast<std::int16_t>(items.size()); }
  void SetListIndex(std::int16_t index) override { listIndex = index; }
  std::vector<std::string> items;
  std::int16_t listIndex = -99;
};

// Names of the records in table order ("-" for a fresh record).
std::string Names() {
  std::string names;
  for (std::int16_t i = 0; i < IdCount(); ++i)
    names += History().IdTable(i).RankInFile < 0 ? "-" : History().IdTable(i).IdName;
  return names;
}

void AddNamed(const std::string& name, bool chosen = true) {
  AddIdRecord();
  IdRecord& r = History().IdTable(static_cast<std::int16_t>(IdCount() - 1));
  r.IdName = name;
  if (chosen) r.RankInFile = 0;
}

TEST_F(IdTableTest, EmptyTableCountsZeroAndGrowsByFreshRecords) {
  EXPECT_EQ(IdCount(), 0);
  EXPECT_EQ(ChosenIdCount(), 0);
  AddIdRecord();
  EXPECT_EQ(IdCount(), 1);
  EXPECT_EQ(History().IdTable(0).RankInFile, -2);
  EXPECT_EQ(ChosenIdCount(), 0);
}

TEST_F(IdTableTest, RemoveRecords) {
  const struct {
    int records;
    std::int16_t index;
    const char* left;
  } cases[] = {{1, 3, ""}, {1, 0, ""}, {3, 1, "AC"}, {3, 5, "ABC"}, {3, 0, "BC"}, {3, -1, "ABC"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.records) + " records, remove " + std::to_string(c.index));
    ResetHistory();
    for (int i = 0; i < c.records; ++i) AddNamed(std::string(1, static_cast<char>('A' + i)));
    RemoveIdRecord(c.index);
    EXPECT_EQ(Names(), c.left);
  }
}

TEST_F(IdTableTest, CompactDropsRecordsWithoutAnAi) {
  AddNamed("A");
  AddNamed("", false);
  AddNamed("B");
  AddNamed("", false);
  History().IdTable(3).RankInFile = -1;
  CompactIdTable();
  EXPECT_EQ(Names(), "AB");
  ResetHistory();
  AddNamed("", false);
  AddNamed("", false);
  CompactIdTable();
  EXPECT_EQ(IdCount(), 0);
  CompactIdTable();
  EXPECT_EQ(IdCount(), 0);
}

TEST_F(IdTableTest, ChosenListClampsTheCurrentRecord) {
  RecordingList list;
  list.items = {"old"};
  AddNamed("A");
  AddNamed("", false);
  AddNamed("B");
  AddNamed("C");
  History().CurrentId = 4;
  FillChosenIdList(list);
  EXPECT_EQ(list.items, (std::vector<std::string>{"[A]", "[B]", "[C]"}));
  EXPECT_EQ(History().CurrentId, 2);
  EXPECT_EQ(list.listIndex, 2);
  ResetHistory();
  History().CurrentId = 0;
  FillChosenIdList(list);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(History().CurrentId, -1);
  EXPECT_EQ(list.listIndex, -1);
}

TEST_F(IdTableTest, Completeness) {
  IdRecord r;
  InitIdRecord(r);
  EXPECT_EQ(IsIdComplete(r), False) << "a fresh record";
  r.Matrix = "*";
  EXPECT_EQ(IsIdComplete(r), False);
  r.Prefix = "9";
  EXPECT_EQ(IsIdComplete(r), True) << "9* counts";
  r = IdRecord{};
  r.IsFixed = False;
  r.FixData = "typed";
  EXPECT_EQ(IsIdComplete(r), False) << "a variable-fed record needs its variable";
  r.VarData = "LOT";
  EXPECT_EQ(IsIdComplete(r), True);
}

TEST_F(IdTableTest, PredicatesOverTheTable) {
  WriteStandardCatalogue();
  EXPECT_EQ(AnyIdComplete(), False);
  Pick(0).FixData = "123";
  UpdateCurrentId();
  EXPECT_EQ(AnyIdComplete(), True);
  EXPECT_EQ(AnyCheckDigit(), False);
  EXPECT_EQ(AnyVariablePart(), False);
  Current().Choice[0] = 1;
  EXPECT_EQ(AnyCheckDigit(), True);
  Pick(4).Choice[0] = 1;  // 37 has no check digit flag
  EXPECT_EQ(AnyVariablePart(), True) << "37 has a variable length";
  RemoveIdRecord(1);
  Pick(3);
  Current().IsFixed = 0;
  Current().VarData = "LOT";
  EXPECT_EQ(AnyVariablePart(), True);
}

}  // namespace
}  // namespace velmora
