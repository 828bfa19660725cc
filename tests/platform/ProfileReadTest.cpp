#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "platform/Utf8Text.h"
#include "platform/ini/IniDocument.h"
#include "platform/profile/FrozenProfiles.h"
#include "platform/profile/ProfileApi.h"
#include "platform/profile/ProfileCache.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::TempDir;

struct ReadCase {
  const char* what;
  std::string file;
  const char* section;
  const char* key;
  const char* defaultText;
  std::uint32_t size;
  const char* expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesWhatWindowsGives) {
  const ReadCase& c = GetParam();
  TempDir dir;
  const std::string path = dir.Write("t.ini", c.file);
  const ProfileString read = GetPrivateProfileStringA(c.section, c.key, c.defaultText, c.size, path);
  EXPECT_EQ(read.Buffer, c.expected);
  EXPECT_EQ(read.Count, CodePointCount(c.expected));
  EXPECT_EQ(read.Failure, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileRead,
    ::testing::Values(
        // Names: letter case, blanks in the file, spaces (only) around the arguments
        ReadCase{"CaseInsensitive", "[Sec]\r\nKey=v\r\n", "sEC", "kEY", "d", 256, "v"},
        ReadCase{"BlanksAroundNames", "[ Sec ]\r\n \t Key \v= \t v \t\r\n", "Sec", "Key", "d", 256, "v"},
        ReadCase{"ArgumentSpacesStripped", "[Sec]\r\nKey=v\r\n", "  Sec ", " Key  ", "d", 256, "v"},
        ReadCase{"ArgumentTabKept", "[Sec]\r\nKey=v\r\n", "Sec", "\tKey", "d", 256, "d"},
        ReadCase{"DefaultLosesTrailingSpacesOnly", "[Sec]\r\n", "Sec", "Key", "  d  ", 256, "  d"},
        // Quotes: one outer pair of the same kind, values only
        ReadCase{"DoubleQuotes", "[S]\r\nk=\"x y\"\r\n", "S", "k", "", 256, "x y"},
        ReadCase{"SingleQuotes", "[S]\r\nk='x'\r\n", "S", "k", "", 256, "x"},
        ReadCase{"OnePairOnly", "[S]\r\nk=\"\"x\"\"\r\n", "S", "k", "", 256, "\"x\""},
        ReadCase{"MixedQuotesKept", "[S]\r\nk=\"x'\r\n", "S", "k", "", 256, "\"x'"},
        ReadCase{"LoneQuoteKept", "[S]\r\nk=\"\r\n", "S", "k", "", 256, "\""},
        ReadCase{"QuotedBlanksKept", "[S]\r\nk=\" x \"\r\n", "S", "k", "", 256, " x "},
        ReadCase{"NamesKeepQuotes", "[S]\r\n\"k\"=v\r\n", "S", "\"k\"", "", 256, "v"},
        // Section headers
        ReadCase{"HeaderEndsAtFirstBracket", "[S]x=1\r\nk=v\r\n", "S", "x", "d", 256, "d"},
        ReadCase{"HeaderWithoutBracket", "[S\r\nk=v\r\n", "S", "k", "d", 256, "v"},
        ReadCase{"EmptySectionName", "[]\r\nk=v\r\n", "", "k", "d", 256, "v"},
        ReadCase{"KeysBeforeFirstHeaderUnreadable", "k=v\r\n[S]\r\n", "", "k", "d", 256, "d"},
        // Comments and keys
        ReadCase{"Comment", "[S]\r\n ;k=v\r\n", "S", ";k", "d", 256, "d"},
        ReadCase{"HashIsText", "[S]\r\n#k=v\r\n", "S", "#k", "d", 256, "v"},
        ReadCase{"SemicolonInValueKept", "[S]\r\nk=v ;x\r\n", "S", "k", "d", 256, "v ;x"},
        ReadCase{"ValueAfterFirstEquals", "[S]\r\nk=a=b\r\n", "S", "k", "d", 256, "a=b"},
        ReadCase{"LineWithoutEqualsIsNoKey", "[S]\r\nk\r\n", "S", "k", "d", 256, "d"},
        // Which section and key win
        ReadCase{"FirstSectionOnly", "[S]\r\na=1\r\n[s]\r\nb=2\r\n", "S", "b", "d", 256, "d"},
        ReadCase{"FirstKeyWins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "d", 256, "1"},
        ReadCase{"FirstOfManyKeysWins", "[S]\r\nb=1\r\nB=2\r\na=3\r\nc=4\r\nb=5\r\n", "S", "B", "d", 256, "1"},
        ReadCase{"AccentedNamesFold", "[Caf\xC3\xA9]\r\n\xC3\xA9t\xC3\xA9=1\r\n\xC3\x89T\xC3\x89=2\r\nz=3\r\n",
                 "CAF\xC3\x89", "\xC3\x89t\xC3\xA9", "d", 256, "1"},
        ReadCase{"PrefixIsAnotherKey", "[S]\r\nkey1=1\r\nke=2\r\nkey=3\r\n", "S", "KEY", "d", 256, "3"},
        // Empty, missing and long values
        ReadCase{"EmptyValueIsNotDefault", "[S]\r\nk=\r\n", "S", "k", "d", 256, ""},
        ReadCase{"MissingSection", "[S]\r\nk=v\r\n", "T", "k", "d", 256, "d"},
        ReadCase{"BufferSizeCuts", "[S]\r\nk=abcdef\r\n", "S", "k", "", 4, "abc"},
        ReadCase{"BufferSizeCutsDefault", "[S]\r\n", "S", "k", "abcdef", 3, "ab"},
        ReadCase{"BufferSizeZero", "[S]\r\nk=abc\r\n", "S", "k", "", 0, ""},
        // Line ends, NUL, byte-order mark, encodings
        ReadCase{"LfLineEnds", "[S]\nk=v\n", "S", "k", "d", 256, "v"},
        ReadCase{"CrLineEnds", "[S]\rk=v\r", "S", "k", "d", 256, "v"},
        ReadCase{"NoFinalLineEnd", "[S]\r\nk=v", "S", "k", "d", 256, "v"},
        ReadCase{"TrailingNul", std::string("[S]\r\nk=v\r\n\0", 11), "S", "k", "d", 256, "v"},
        ReadCase{"Utf8Bom", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "d", 256, "v"},
        ReadCase{"Windows1252", "[S]\r\nk=caf\xE9 \x80\r\n", "S", "k", "d", 256, "caf\xC3\xA9 \xE2\x82\xAC"},
        ReadCase{"CutCountsCharacters", "[S]\r\nk=\xC3\xA9\xC3\xA9\xC3\xA9\r\n", "S", "k", "", 3, "\xC3\xA9\xC3\xA9"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.what); });

TEST(ProfileReadFiles, MissingUnreadableOrOddFilesGiveTheDefault) {
  TempDir dir;
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", 256, dir.Path() + "missing.ini").Buffer, "d");
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", 256, dir.Write("empty.ini", "")).Buffer, "d");
  const ProfileString fromDirectory = GetPrivateProfileStringA("S", "k", "d", 256, dir.Path());
  EXPECT_EQ(fromDirectory.Buffer, "d");
  EXPECT_NE(fromDirectory.Failure, 0) << "a directory is a recorded failure, a missing file is not";
  const std::string binary("\x01\x02\0[S]\r\nk=v\r\n", 14);
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", 256, dir.Write("bin.ini", binary)).Buffer, "d");
  const std::string huge = "[S]\r\nk=" + std::string(1 << 20, 'x') + "\r\nz=1\r\n";
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", 256, dir.Write("huge.ini", huge)).Count, 255u);
  EXPECT_EQ(GetPrivateProfileStringA("S", "z", "", 256, dir.Path() + "huge.ini").Buffer, "1");
}

TEST(ProfileReadFiles, FileNameMatchesWithoutRegardToCase) {
  TempDir dir;
  dir.Write("Sub/Data.INI", "[S]\r\nk=v\r\n");
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", 256, dir.Path() + "SUB/data.ini").Buffer, "v");
}

TEST(ProfileReadFiles, ParsedOnceAndReadAfreshWhenRewritten) {
  TempDir dir;
  const std::string path = dir.Write("c.ini", "[S]\r\nk=1\r\n");
  const std::uint64_t before = ProfileParses();
  for (int i = 0; i < 50; ++i) GetPrivateProfileStringA("S", "k", "", 256, path);
  EXPECT_EQ(ProfileParses() - before, 1u);
  // Another program rewrites the file: within the same epoch (one user action)
  // the reads stay as they were; the next epoch sees the new file.
  { std::ofstream(path, std::ios::binary) << "[S]\r\nk=22\r\n"; }
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", 256, path).Buffer, "1");
  NextFileEpoch();
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", 256, path).Buffer, "22");
  // Files that are missing are looked for once an epoch too, and found in the next.
  const std::string later = dir.Path() + "later.ini";
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "none", 256, later).Buffer, "none");
  { std::ofstream(later, std::ios::binary) << "[S]\r\nk=3\r\n"; }
  NextFileEpoch();
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "none", 256, later).Buffer, "3");
}

struct IntCase {
  const char* value;
  std::uint32_t expected;
};

TEST(ProfileInt, SignAndLeadingDigitsModulo2To32) {
  const IntCase cases[] = {
      {"42", 42},        {"42A9", 42}, {"B42", 0}, {"-7", 0xFFFFFFF9u}, {"+7", 7}, {" 12 ", 12},
      {"4294967297", 1}, {"\"5\"", 5}, {"-", 0},   {"0x10", 0},
  };
  TempDir dir;
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.value);
    const std::string path = dir.Write("i.ini", std::string("[S]\r\nk=") + c.value + "\r\n");
    ForgetProfile(path);
    EXPECT_EQ(GetPrivateProfileIntA("S", "k", 99, path), c.expected);
  }
  const std::string path = dir.Write("e.ini", "[S]\r\nk=\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("S", "k", 99, path), 99u) << "an empty value gives the default";
  EXPECT_EQ(GetPrivateProfileIntA("S", "missing", -3, path), 0xFFFFFFFDu);
}

TEST(ProfileWindows, ReadsTheFileNamedByTheEnvironment) {
  TempDir dir;
  const std::string path = dir.Write("win.ini", "[Windows]\r\nDevice=Printer\r\n");
  test::ScopedEnv env("VELMORA_WIN_INI", path.c_str());
  EXPECT_EQ(WindowsProfilePath(), path);
  EXPECT_EQ(GetProfileStringA("windows", "device", "", 256).Buffer, "Printer");
  test::ScopedEnv none("VELMORA_WIN_INI", nullptr);
  test::ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(WindowsProfilePath(), "/cfg/velmora/win.ini");
}

// Each shipped file, read as shipped, is served by its compiled-in index, which
// is what parsing it gives; one changed byte and it is parsed like any file.
TEST(ProfileReadFiles, ShippedFilesAreReadFromTheirCompiledInIndex) {
  for (const char* name : {"ID128.inf", "cn128A.INF", "cn128B.INF"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    std::ifstream in(std::string(VELMORA_SHIPPED_DATA_DIR) + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string path = dir.Write(name, bytes);
    const FrozenProfile* frozen = ShippedProfileAt(path, bytes.size());
    ASSERT_NE(frozen, nullptr);
    const IniDocument parsed = IniDocument::Parse(DecodeFileText(bytes));
    const IniIndex a = parsed.Index();
    const IniIndex& b = frozen->index;
    EXPECT_EQ(a.text, b.text);
    const auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    EXPECT_TRUE(std::ranges::equal(a.keys, b.keys, same));
    EXPECT_TRUE(std::ranges::equal(a.sections, b.sections, same));
    EXPECT_TRUE(std::ranges::equal(a.slots, b.slots));
    EXPECT_TRUE(std::ranges::equal(a.sectionSlots, b.sectionSlots));

    const std::uint64_t before = ProfileParses();
    EXPECT_EQ(GetPrivateProfileStringA("Format", "TypeFile", "", 256, path).Buffer,
              std::string(*parsed.Find("Format", "TypeFile")));
    EXPECT_EQ(ProfileParses(), before);
    dir.Write(name, bytes + " ");
    NextFileEpoch();
    GetPrivateProfileStringA("Format", "TypeFile", "", 256, path);
    EXPECT_EQ(ProfileParses(), before + 1);
  }
}

}  // namespace
}  // namespace velmora
