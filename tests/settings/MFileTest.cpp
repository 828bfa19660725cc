#include <sys/stat.h>

#include <gtest/gtest.h>

#include "base/GlobalValues.h"
#include "settings/MFile.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::ScopedEnv;
using test::TempDir;

TEST(ShortenUserName, SevenCharactersAndACheckCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"ABCDEFGH", "ABCDEFG0"},       // 108 % 36 = 0
      {"ADMINISTRATOR", "ADMINISQ"},  // 278 % 36 = 26
      {"JOHN_SMITH", "JOHN_SMH"},     // 197 % 36 = 17; "_" adds nothing
      {"abcdefgh", "abcdefg0"},       // lower case adds nothing
      {"", ""},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(ShortenUserName(name), expected) << name;
}

TEST(ReadIniString, ValuesDefaultsAndTheWindowsProfile) {
  TempDir dir;
  const std::string file = dir.Write("TAVREL.INI", "[General]\r\nEmpty=\r\nLong=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(ReadIniString(file, "General", "Empty", "d"), "");
  EXPECT_EQ(ReadIniString(file, "General", "Long", "d"), std::string(255, 'x'));
  EXPECT_EQ(ReadIniString(file, "General", "None", "d"), "d");

  const std::string profile = dir.Write("profile.ini", "[intl]\r\nsCountry=France\r\n");
  ScopedEnv env("VELMORA_WIN_INI", profile.c_str());
  EXPECT_EQ(ReadIniString("win.ini", "intl", "sCountry", ""), "France");
  EXPECT_EQ(ReadIniString("", "intl", "sCountry", ""), "France");
  dir.Write("sub/WIN.INI", "[intl]\r\nsCountry=Local\r\n");
  EXPECT_EQ(ReadIniString(dir.Path() + "sub/WIN.INI", "intl", "sCountry", ""), "Local");
}

TEST(ReadIniInt, SixteenBitsOfTheStoredNumber) {
  TempDir dir;
  const std::string file = dir.Write("u.ini", "[Initialize]\r\nCountry=1\r\nBig=65537\r\nNeg=-2\r\n");
  EXPECT_EQ(ReadIniInt(file, "Initialize", "Country", 0), 1);
  EXPECT_EQ(ReadIniInt(file, "Initialize", "Big", 0), 1);
  EXPECT_EQ(ReadIniInt(file, "Initialize", "Neg", 0), -2);
  EXPECT_EQ(ReadIniInt(file, "Initialize", "None", 7), 7);
  EXPECT_EQ(ReadIniInt(dir.Path() + "missing.ini", "Initialize", "Country", 0), 0);
}

TEST(FileExistsAndDelete, NormalFilesOnly) {
  TempDir dir;
  const std::string file = dir.Write("ID128.inf", "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(FileExists(dir.Path() + "id128.INF"));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_FALSE(FileExists(dir.Path() + "nope/ID128.inf"));
  DeleteFile(file);
  EXPECT_FALSE(FileExists(file));
  DeleteFile(file);  // a second delete is ignored
  const std::string readOnly = dir.Write("ro.inf", "x");
  ::chmod(readOnly.c_str(), 0444);
  DeleteFile(readOnly);
  EXPECT_TRUE(FileExists(readOnly)) << "a read-only file is not deleted";
}

class LocateUserSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    Globals().HostDir = dir.Path();
  }
  TempDir dir;
};

TEST_F(LocateUserSettingsTest, LongNameIsShortenedAndMissingFileFallsBackToUserIni) {
  ScopedEnv user("USER", "administrator");
  LocateUserSettings();
  EXPECT_EQ(Globals().UserSettingsFile, dir.Path() + "System/Users/User.ini");
  dir.Write("System/Users/ADMINISQ.ini", "[Initialize]\r\n");
  LocateUserSettings();
  EXPECT_EQ(Globals().UserSettingsFile, dir.Path() + "System/Users/ADMINISQ.ini");
}

TEST_F(LocateUserSettingsTest, SevenCharactersWholeEightShortened) {
  dir.Write("System/Users/ABCDEFG.ini", "");
  dir.Write("System/Users/ABCDEFG0.ini", "");
  {
    ScopedEnv user("USER", "abcdefg");
    LocateUserSettings();
    EXPECT_EQ(Globals().UserSettingsFile, dir.Path() + "System/Users/ABCDEFG.ini");
  }
  ScopedEnv user("USER", "ABCDEFGH");
  LocateUserSettings();
  EXPECT_EQ(Globals().UserSettingsFile, dir.Path() + "System/Users/ABCDEFG0.ini");
}

TEST_F(LocateUserSettingsTest, UsersDirectoryFromTheHostSettings) {
  ScopedEnv user("USER", "bob");
  const struct {
    const char* value;
    std::string expected;
  } cases[] = {
      {".\\USERS", dir.Path() + "USERS/User.ini"},
      {"..\\USERS", "../USERS/User.ini"},
      {"D:\\Shared\\Users\\", "D:/Shared/Users/User.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    dir.Write("TAVREL.INI", std::string("[General]\r\nUser=") + c.value + "\r\n");
    LocateUserSettings();
    EXPECT_EQ(Globals().UserSettingsFile, c.expected);
  }
}

}  // namespace
}  // namespace velmora
