#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/Utf8Text.h"
#include "platform/ini/IniEditor.h"
#include "platform/profile/ProfileApi.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::TempDir;

struct EditCase {
  const char* what;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

class IniEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(IniEdit, ChangesOnlyTheKey) {
  const EditCase& c = GetParam();
  std::string text = c.before;
  ASSERT_TRUE(SetIniValue(text, c.section, c.key, c.value));
  EXPECT_EQ(text, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniEdit,
    ::testing::Values(EditCase{"NewFile", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
                      EditCase{"NewSectionAtEnd", "[A]\r\na=1\r\n", "S", "k", "v", "[A]\r\na=1\r\n[S]\r\nk=v\r\n"},
                      EditCase{"NewSectionAfterUnfinishedLine", "[A]\r\na=1", "S", "k", "v",
                               "[A]\r\na=1\r\n[S]\r\nk=v\r\n"},
                      EditCase{"NewKeyAfterLastKey", "[S]\r\na=1\r\n\r\n;c\r\n[T]\r\n", "s", "b", "2",
                               "[S]\r\na=1\r\nb=2\r\n\r\n;c\r\n[T]\r\n"},
                      EditCase{"NewKeyInEmptySection", "[S]\r\n[T]\r\n", "S", "b", "2", "[S]\r\nb=2\r\n[T]\r\n"},
                      EditCase{"NewKeyAfterUnfinishedLastLine", "[S]\r\na=1", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
                      EditCase{"ReplaceKeepsSpelling", "[S]\r\n  MyKey = old \r\nz=1\n", "s", "MYKEY", "new",
                               "[S]\r\nMyKey=new\r\nz=1\n"},
                      EditCase{"FirstSectionAndKeyOnly", "[S]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\n", "S", "k", "9",
                               "[S]\r\nk=9\r\nk=2\r\n[S]\r\nk=3\r\n"},
                      EditCase{"KeyWrittenExactly", "[S]\r\n", "S", "MaxLength ", "5", "[S]\r\nMaxLength =5\r\n"},
                      EditCase{"SectionNameTrimmed", "", "   sec   ", "k", "v", "[sec]\r\nk=v\r\n"},
                      EditCase{"TrimmedSectionFound", "[sec]\r\n", " sec ", "k", "v", "[sec]\r\nk=v\r\n"},
                      EditCase{"OtherBytesKept", "\xEF\xBB\xBFx\n[S]\rk=1\r\n\t;note\n", "S", "j", "2",
                               "\xEF\xBB\xBFx\n[S]\rk=1\r\nj=2\r\n\t;note\n"}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.what); });

TEST(IniEditRefusal, LineBreaksWouldAddLines) {
  for (const char* bad : {"a\r\n[X]", "a\nb", "a\rb"}) {
    std::string text = "[S]\r\n";
    EXPECT_FALSE(SetIniValue(text, "S", "k", bad));
    EXPECT_FALSE(SetIniValue(text, "S", bad, "v"));
    EXPECT_FALSE(SetIniValue(text, bad, "k", "v"));
    EXPECT_EQ(text, "[S]\r\n");
  }
}

TEST(ProfileWrite, WritesThroughTheFileAndReadsBack) {
  TempDir dir;
  const std::string path = dir.Path() + "w.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("Barcode1", "Data ", "\"x\"", path));
  ASSERT_TRUE(WritePrivateProfileStringA("Barcode1", "Type", "128", path));
  EXPECT_EQ(dir.Read("w.ini"), "[Barcode1]\r\nData =\"x\"\r\nType=128\r\n");
  EXPECT_EQ(GetPrivateProfileStringA("Barcode1", "Type", "", 256, path).Buffer, "128");
  ASSERT_TRUE(WritePrivateProfileStringA("Barcode1", "Type", "39", path));
  EXPECT_EQ(GetPrivateProfileStringA("Barcode1", "Type", "", 256, path).Buffer, "39");
}

TEST(ProfileWrite, ConvertsAWesternCodePageFileToUtf8) {
  TempDir dir;
  const std::string path = dir.Write("w.ini", "[S]\r\nk=caf\xE9\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "j", "\xC3\xA9", path));
  EXPECT_EQ(dir.Read("w.ini"), "[S]\r\nk=caf\xC3\xA9\r\nj=\xC3\xA9\r\n");
}

TEST(ProfileWrite, ReaderAndWriterAgreeOnANulByte) {
  TempDir dir;
  const std::string tail("\0[S]\r\nk=hidden\r\n", 17);
  const std::string path = dir.Write("n.ini", "[S]\r\nj=1\r\n" + tail);
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "none", 256, path).Buffer, "none") << "the reader stops at the NUL";
  ASSERT_TRUE(WritePrivateProfileStringA("S", "k", "2", path));
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", 256, path).Buffer, "2") << "the key went where the reader looks";
  EXPECT_EQ(dir.Read("n.ini"), "[S]\r\nj=1\r\nk=2\r\n" + tail) << "the bytes after the NUL are kept";
}

TEST(ProfileWrite, AUtf16FileIsReadAndStaysUtf16) {
  TempDir dir;
  const auto utf16 = [](const std::string& text) { return "\xFF\xFE" + Utf8ToUtf16Le(text); };
  const std::string path = dir.Write("u.ini", utf16("[General]\r\nVelmora=Caf\xC3\xA9 wizard\r\n"));
  EXPECT_EQ(GetPrivateProfileStringA("general", "velmora", "", 256, path).Buffer, "Caf\xC3\xA9 wizard");
  ASSERT_TRUE(WritePrivateProfileStringA("General", "User", "Users", path));
  EXPECT_EQ(dir.Read("u.ini"), utf16("[General]\r\nVelmora=Caf\xC3\xA9 wizard\r\nUser=Users\r\n"));
  EXPECT_EQ(GetPrivateProfileStringA("General", "User", "", 256, path).Buffer, "Users");
}

TEST(ProfileWrite, ABareFileNameIsInTheWindowsFolder) {
  TempDir dir;
  test::ScopedEnv env("VELMORA_WIN_INI", (dir.Path() + "win.ini").c_str());
  dir.Write("app.ini", "[S]\r\nk=windows folder\r\n");
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", 256, "app.ini").Buffer, "windows folder");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "j", "2", "new.ini"));
  EXPECT_EQ(dir.Read("new.ini"), "[S]\r\nj=2\r\n");
  EXPECT_EQ(ProfilePath("sub/app.ini"), "sub/app.ini") << "a name with a folder is taken as it is";
}

TEST(ProfileWrite, RefusesWithoutTouchingAnything) {
  TempDir dir;
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", dir.Path() + "no/such/dir/w.ini"));
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", dir.Path())) << "a directory";
  const std::string readOnly = dir.Write("ro.ini", "[S]\r\nk=1\r\n");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "2", readOnly));
  EXPECT_EQ(dir.Read("ro.ini"), "[S]\r\nk=1\r\n");
  const std::string kept = dir.Write("ok.ini", "[S]\r\nk=1\r\n");
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "2\r\n[Evil]", kept));
  EXPECT_EQ(dir.Read("ok.ini"), "[S]\r\nk=1\r\n");
}

}  // namespace
}  // namespace velmora
