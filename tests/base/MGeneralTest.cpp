#include <gtest/gtest.h>

#include <map>

#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/MCountry.h"
#include "base/MGeneral.h"
#include "platform/MessageBox.h"
#include "platform/ProcessExit.h"

namespace velmora {
namespace {

class FakeList : public ListControl {
 public:
  void Clear() override { items.clear(), data.clear(); }
  void AddItem(const std::string& text) override {
    if (text == "refused") throw std::runtime_error("refused");
    items.push_back(text);
  }
  std::int16_t NewIndex() const override { return static_cast<std::int16_t>(items.size() - 1); }
  void SetItemData(std::int16_t index, std::int32_t value) override { data[index] = value; }
  std::int16_t ListCount() const override { return static_cast<std::int16_t>(items.size()); }
  void SetListIndex(std::int16_t) override {}
  std::vector<std::string> items;
  std::map<int, std::int32_t> data;
};

class ReportErrorTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGlobals(), SetLanguage("US"); }
  RecordingMessageBoxes boxes;
};

TEST_F(ReportErrorTest, ErrorZeroShowsNothing) {
  ReportError(0, "KeepOnTop", True, Variant("Window 12"));
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ReportErrorTest, ExplanationThenParametersWithTheLineBreakText) {
  ReportError(53, "GLOBAL\\GetCny", False, Variant("title"));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Prompt, "File not found : the specified file is missing\n\rParameters : \n\rtitle");
  EXPECT_EQ(boxes.Shown()[0].Style, 16);
  EXPECT_EQ(boxes.Shown()[0].Title, "GLOBAL\\GetCny");
}

TEST_F(ReportErrorTest, StandardMessageWithoutExplanationOrParameters) {
  ReportError(5, "KeepOnTop", False, Variant(""));
  SetLanguage("FRENCH");
  ReportError(53, "KeepOnTop", False, Variant());
  ReportError(6, "KeepOnTop", False, Variant(Variant::Null{}));
  ASSERT_EQ(boxes.Shown().size(), 3u);
  EXPECT_EQ(boxes.Shown()[0].Prompt, "Invalid procedure call or argument");
  EXPECT_EQ(boxes.Shown()[1].Prompt, "File not found");
  EXPECT_EQ(boxes.Shown()[2].Prompt, "Overflow");
}

TEST_F(ReportErrorTest, EndsTheProgramOnlyWhenAsked) {
  int ended = 0;
  SetEndProcessHandler([&](int) { ++ended; });
  ReportError(6, "x", False, Variant());
  EXPECT_EQ(ended, 0);
  EXPECT_THROW(ReportError(6, "x", True, Variant()), ProcessEnded);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(boxes.Shown().size(), 2u) << "the box is shown before the end";
  SetEndProcessHandler({});
}

TEST_F(ReportErrorTest, FileErrorBoxFramesTheMessageWithBlankLines) {
  ShowFileError("File not found !", "/data/cn128A.INF");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const std::string blanks(40, ' ');
  EXPECT_EQ(boxes.Shown()[0].Prompt, blanks + "\n\rFile not found !\n\r/data/cn128A.INF\n\r" + blanks);
  EXPECT_EQ(boxes.Shown()[0].Style, 48);
  EXPECT_EQ(boxes.Shown()[0].Title, "EAN 128");
}

TEST(FillListFromArray, ItemDataIsTheArrayIndex) {
  FakeList list;
  list.items = {"old"};
  FillListFromArray(VbArray<std::string>(), list);
  EXPECT_EQ(list.items, std::vector<std::string>{"old"}) << "no elements: the list is not cleared";

  FillListFromArray(VbArray<std::string>(1, {"a", "b"}), list);
  EXPECT_EQ(list.items, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(list.data, (std::map<int, std::int32_t>{{0, 1}, {1, 2}}));

  FillListFromArray(VbArray<std::string>(-2, {"x", "y", "z", "refused", "w"}), list);
  EXPECT_EQ(list.items, (std::vector<std::string>{"z", "w"})) << "starts at 0; a refused entry is skipped";
  EXPECT_EQ(list.data, (std::map<int, std::int32_t>{{0, 0}, {1, 2}}));
}

TEST(TextSearches, CountOccurrencesCountsOverlaps) {
  EXPECT_EQ(CountOccurrences("abab", "ab"), 2);
  EXPECT_EQ(CountOccurrences("aaa", "aa"), 2);
  EXPECT_EQ(CountOccurrences("", "x"), 0);
  EXPECT_EQ(CountOccurrences("a{b{", "{"), 2);
  EXPECT_EQ(CountOccurrences("\xC2\xA7\xC2\xA7", ""), 2) << "the empty part is found at every character";
  EXPECT_EQ(CountOccurrences("", ""), 0);
  EXPECT_EQ(CountOccurrences("Abab", "AB"), 0) << "case-sensitive";
}

TEST(TextSearches, LastPositionCountsCharactersFromOne) {
  EXPECT_EQ(LastPosition("C:\\A\\B", "\\"), 5);
  EXPECT_EQ(LastPosition("C:A", "\\"), 0);
  EXPECT_EQ(LastPosition("abc", ""), 0);
  EXPECT_EQ(LastPosition("a", "ab"), 0);
  EXPECT_EQ(LastPosition("\xC2\xA7/x/y", "/"), 4);
  EXPECT_THROW(LastPosition(std::string(40000, 'a'), "a"), RuntimeError);
}

TEST(MaxMin, ReturnLongVariants) {
  EXPECT_EQ(MaxValue(0, -2), Variant(std::int32_t{0}));
  EXPECT_EQ(MaxValue(3, 7), Variant(std::int32_t{7}));
  EXPECT_EQ(MinValue(3, 7), Variant(std::int32_t{3}));
  EXPECT_EQ(MinValue(-1, -1).Type(), VarType::Long);
}

}  // namespace
}  // namespace velmora
