#include <gtest/gtest.h>

#include "base/Int16.h"
#include "base/RuntimeError.h"
#include "base/Variant.h"
#include "base/VbArray.h"

namespace velmora {
namespace {

int ErrorNumberOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

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
  EXPECT_EQ(ErrorNumberOf([] { Variant("x").ToLong(); }), 13);
  EXPECT_EQ(Variant(" 42 ").ToLong(), 42);
  EXPECT_EQ(Variant(2.5).ToLong(), 2);
  EXPECT_EQ(ErrorNumberOf([] { Variant(3e9).ToLong(); }), 6);
  EXPECT_EQ(ErrorNumberOf([] { Variant(Variant::Array{}).ToLong(); }), 13);
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
