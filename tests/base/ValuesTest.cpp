#include <gtest/gtest.h>

#include "base/Int16.h"
#include "base/RuntimeError.h"
#include "base/Variant.h"
#include "base/VbArray.h"
#include "support/ErrorNumber.h"

namespace velmora {
namespace {

using test::ErrorNumberOf;

TEST(Int16, OverflowIsError6) {
  EXPECT_EQ(CheckedInt16(32767), 32767);
  EXPECT_EQ(CheckedInt16(-32768), -32768);
  EXPECT_EQ(ErrorNumberOf([] { CheckedInt16(32768); }), 6);
  EXPECT_EQ(ErrorNumberOf([] { CheckedInt16(-32769); }), 6);
  EXPECT_EQ(ToBoolean(true), -1);
}

TEST(RuntimeError, StandardMessagesByNumber) {
  EXPECT_EQ(StandardErrorMessage(440), "Automation error");
  EXPECT_EQ(StandardErrorMessage(9), "Subscript out of range");
  EXPECT_EQ(StandardErrorMessage(31999), "Application-defined or object-defined error");
  try {
    RaiseError(53);
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Description(), "File not found");
  }
}

TEST(Variant, TextForms) {
  EXPECT_EQ(Variant().ToText(), "");
  EXPECT_EQ(Variant(std::int16_t{-5}).ToText(), "-5");
  EXPECT_EQ(Variant(2.5).ToText(), "2.5");
  EXPECT_EQ(Variant(1e20).ToText(), "1E+20");
  EXPECT_EQ(Variant::FromBool(true).ToText(), "True");
  EXPECT_EQ(ErrorNumberOf([] { Variant(Variant::Null{}).ToText(); }), 94);
  EXPECT_EQ(ErrorNumberOf([] { Variant(Variant::Array{}).ToLong(); }), 13);
}

// Host values become 32-bit numbers as the platform converts them: 0 means the
// conversion gave `value`, otherwise the run-time error number.
TEST(Variant, ToLongConvertsAsThePlatformDoes) {
  const struct {
    Variant in;
    int error;
    std::int32_t value;
  } rows[] = {
      // texts
      {Variant(" 17 "), 0, 17},
      {Variant("\t-8"), 0, -8},
      {Variant("+5"), 0, 5},
      {Variant("&H10"), 0, 16},
      {Variant("&h1f"), 0, 31},
      {Variant("&O17"), 0, 15},
      {Variant("&HFFFFFFFF"), 0, -1},
      {Variant("1e3"), 0, 1000},
      {Variant(".5"), 0, 0},
      {Variant("2.5"), 0, 2},
      {Variant("3.5"), 0, 4},
      {Variant("-2.5"), 0, -2},
      {Variant("0x10"), 13, 0},
      {Variant("nan"), 13, 0},
      {Variant("inf"), 13, 0},
      {Variant(""), 13, 0},
      {Variant("12abc"), 13, 0},
      {Variant("&H"), 13, 0},
      {Variant("1 000"), 13, 0},
      {Variant("x"), 13, 0},
      {Variant("&H1FFFFFFFF"), 6, 0},
      {Variant("2147483648"), 6, 0},
      {Variant("-2147483648"), 0, INT32_MIN},
      {Variant("1e400"), 6, 0},
      // numbers and the rest
      {Variant(2.5), 0, 2},
      {Variant(3e9), 6, 0},
      {Variant::FromBool(true), 0, -1},
      {Variant(), 0, 0},
      {Variant(Variant::Null{}), 94, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.in.Type() == VarType::String ? *row.in.AsText() : std::to_string(int(row.in.Type())));
    std::int32_t value = 0;
    EXPECT_EQ(ErrorNumberOf([&] { value = row.in.ToLong(); }), row.error);
    if (row.error == 0) {
      EXPECT_EQ(value, row.value);
    }
  }
}

TEST(VbArray, BoundsOfAnArrayWithoutStorageAreError9) {
  VbArray<int> a;
  EXPECT_EQ(ErrorNumberOf([&] { a.UBound(); }), 9);
  a.ReDimPreserve(0, 2);
  a(2) = 7;
  a.ReDimPreserve(0, 3);
  EXPECT_EQ(a(2), 7);
  EXPECT_EQ(a.UBound(), 3);
  EXPECT_EQ(ErrorNumberOf([&] { a(4); }), 9);
  a.ReDimPreserve(0, -1);
  EXPECT_FALSE(a.HasElements());
}

}  // namespace
}  // namespace velmora
