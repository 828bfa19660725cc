#include <gtest/gtest.h>

#include "base/MCountry.h"

namespace velmora {
namespace {

TEST(SetLanguage, RecognisesNamesInAnyCase) {
  const std::pair<const char*, int> cases[] = {{"english", 1},
                                               {"Us", 1},
                                               {"ANGLAIS", 1},
                                               {"francais", 2},
                                               {"French", 2},
                                               {"fran\xC3\xA7"
                                                "ais",
                                                0},
                                               {"", 0},
                                               {"UK", 0}};
  for (const auto& [name, code] : cases) {
    SCOPED_TRACE(name);
    SetLanguage(name);
    EXPECT_EQ(LanguageCode(), code);
    EXPECT_EQ(LanguageName(), code == 0 ? std::string("?") : std::string(name));
  }
}

TEST(LocalErrorText, EnglishOnlyAndOnlyForKnownKeys) {
  SetLanguage("US");
  EXPECT_EQ(LocalErrorText(153), "File not found : the specified file is missing");
  EXPECT_EQ(LocalErrorText(105), "");
  EXPECT_EQ(LocalErrorText(53), "") << "keys are the error number plus 100";
  SetLanguage("FRENCH");
  EXPECT_EQ(LocalErrorText(153), "");
  EXPECT_EQ(ErrorTextFor(162),
            "End of file : programm is trying to read past the end of the file, maybe file is corrupted");
}

}  // namespace
}  // namespace velmora
