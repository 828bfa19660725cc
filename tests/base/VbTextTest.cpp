#include <gtest/gtest.h>

#include "base/VbText.h"

namespace velmora {
namespace {

TEST(Like, PatternsAreCaseSensitive) {
  const struct {
    const char* text;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"ID128", "ID128", true},
      {"Id128", "ID128", false},
      {"ID128x", "ID128", false},
      {"country128", "country128", true},
      {"Country128", "country128", false},
      {"\xC2\xA7", "ID128", false},
      {"ab", "a?", true},
      {"a", "a?", false},
      {"a1", "a#", true},
      {"ax", "a#", false},
      {"abc", "a*", true},
      {"", "*", true},
      {"b", "[a-c]", true},
      {"d", "[a-c]", false},
      {"d", "[!a-c]", true},
      {"*", "[*]", true},
      {"a", "[a", false},
      {"\xC3\xA9", "?", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " like " + c.pattern);
    EXPECT_EQ(Like(c.text, c.pattern), c.matches);
  }
}

TEST(VbText, TrimLeftAndWidthCountCharacters) {
  EXPECT_EQ(Trim(" \ta b\t  "), "\ta b\t") << "only blanks are trimmed";
  EXPECT_EQ(Left("\xC2\xA7\xC2\xA7x", 2), "\xC2\xA7\xC2\xA7");
  EXPECT_EQ(Left("abc", -1), "");
  EXPECT_EQ(FitWidth("310", 5), "310  ");
  EXPECT_EQ(FitWidth("1234567", 5), "12345");
  EXPECT_EQ(Len("\xE2\x82\xAC"), 1);
}

}  // namespace
}  // namespace velmora
