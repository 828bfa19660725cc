#include <gtest/gtest.h>

#include "platform/CaseFold.h"
#include "platform/Utf8Text.h"

namespace velmora {
namespace {

TEST(Utf8Text, ValidityDecidesTheEncoding) {
  EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9"));
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
  EXPECT_FALSE(IsValidUtf8("\xC0\x80")) << "overlong";
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")) << "surrogate";
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF\xC2\xA7"), "\xC2\xA7");
  EXPECT_EQ(DecodeFileText("\xA7\x80\x81\x9F"), "\xC2\xA7\xE2\x82\xAC\xC2\x81\xC5\xB8");
}

TEST(Utf8Text, CountsAndCutsCharactersNotBytes) {
  EXPECT_EQ(CodePointCount("\xC2\xA7x\xE2\x82\xAC"), 3u);
  EXPECT_EQ(LeftChars("\xC2\xA7x\xE2\x82\xAC", 2), "\xC2\xA7x");
  EXPECT_EQ(LeftChars("ab", 5), "ab");
  EXPECT_EQ(CodePointCount("\xFF\xFE"), 2u) << "stray bytes count one each";
}

TEST(CaseFold, UpperCasesLatinLettersOnly) {
  EXPECT_EQ(UpperCase("admin_\xC3\xA9t\xC3\xA9 1"), "ADMIN_\xC3\x89T\xC3\x89 1");
  EXPECT_EQ(UpperCase("\xC3\xB7\xC3\xBF"), "\xC3\xB7\xC5\xB8");
  EXPECT_TRUE(EqualsIgnoreCase("Country", "cOUNTRY"));
  EXPECT_FALSE(EqualsIgnoreCase("Country", "Countr"));
  // the letters Windows-1252 adds to Latin-1 fold as Windows folds them
  EXPECT_TRUE(EqualsIgnoreCase("\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF", "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8"));  // šœžÿ ŠŒŽŸ
}

}  // namespace
}  // namespace velmora
