#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "ids/TextToNumber.h"

namespace velmora {
namespace {

TEST(TextToInt16, LeadingNumberRoundedHalfToEven) {
  const std::pair<const char*, int> cases[] = {
      {"20", 20},  {"20 abc", 20}, {"abc", 0},   {"", 0},        {" 1 2", 12},       {"2.5", 2},
      {"3.5", 4},  {"-2.5", -2},   {"0.5", 0},   {"1.5E+1", 15}, {"1e2", 100},       {"1e", 1},
      {"+7", 7},   {"-", 0},       {".", 0},     {"9x", 9},      {"-32768", -32768}, {"32767.4", 32767},
      {"&H10", 0}, {"1D1", 10},    {"0042", 42}, {"-1", -1},     {"-0", 0},          {"12345", 12345},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(TextToInt16(text), expected) << '"' << text << '"';
}

TEST(TextToInt16, OutsideSixteenBitsIsOverflow) {
  for (const char* text : {"32768", "32767.5", "-32769", "1e10", "1e999"}) {
    try {
      TextToInt16(text);
      ADD_FAILURE() << text << " did not overflow";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), 6) << text;
    }
  }
}

}  // namespace
}  // namespace velmora
