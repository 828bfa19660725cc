#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/Utf8Text.h"
#include "platform/registry/RegistryApi.h"
#include "settings/CRegistry.h"
#include "settings/HostDirectory.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::ScopedEnv;
using test::TempDir;

// A file as the registry editor exports it: UTF-16LE with a byte-order mark, CRLF.
std::string Exported(const std::string& text) { return "\xFF\xFE" + Utf8ToUtf16Le(text); }

const char* const kExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; exported by hand\r\n"
    "[HKEY_CLASSES_ROOT\\CLSID\\{6F1C2B84-3D5E-4A7B-9C0D-8E2F4A6B1C3D}\\LocalServer32]\r\n"
    "@=\"C:\\\\Program Files\\\\Host\\\\host.exe\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\r\n"
    "\"Text\"=\"say \\\"hi\\\" caf\xC3\xA9\"\r\n"
    "\"Dword\"=dword:00000100\r\n"
    "\"Negative\"=dword:ffffffff\r\n"
    "\"Big\"=hex(5):00,00,01,00\r\n"
    "\"OneByte\"=hex(4):ff\r\n"
    "\"TwoBytes\"=hex(4):ff,ff\r\n"
    "\"Binary\"=hex:41,00,42\r\n"
    "\"Expand\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,63,00,00,00,\\\r\n"
    "  00,00\r\n"
    "\"None\"=hex(0):\r\n"
    "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
    "\"Gone\"=\"x\"\r\n"
    "\"Gone\"=-\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\B]\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\A]\r\n"
    "@=\"only the default\"\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\A\\Deep]\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Removed]\r\n"
    "\"v\"=\"1\"\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Removed]\r\n";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Install(Exported(kExport)); }
  void Install(const std::string& bytes) { dir.Write("registry.reg", bytes); }
  TempDir dir;
  ScopedEnv env{"VELMORA_REGISTRY", (dir.Path() + "registry.reg").c_str()};
  CRegistry reg;
};

TEST_F(RegistryTest, ReadsEveryTypeOfAnExportedFile) {
  const std::string x = "SOFTWARE\\X";
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "Text"), Variant("say \"hi\" caf\xC3\xA9"));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "dword"), Variant(256.0)) << "names without regard to case";
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "Negative"), Variant(-1.0));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "Big"), Variant(256.0));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "OneByte"), Variant(255.0)) << "short data is still 32 bits";
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "TwoBytes"), Variant(65535.0));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "Binary"), Variant(std::string("A\0B", 3)));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "Expand"), Variant("%PATH%")) << "no expansion";
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, x, "Multi"), Variant(Variant::Array{Variant("a"), Variant("bc")}));
  EXPECT_TRUE(reg.Value(HKEY_LOCAL_MACHINE, x, "None").IsEmpty());
  EXPECT_TRUE(reg.Value(HKEY_LOCAL_MACHINE, x, "Qword").IsEmpty()) << "types above 7 read as no value";
  EXPECT_TRUE(reg.Value(HKEY_LOCAL_MACHINE, x, "Gone").IsEmpty());
  EXPECT_TRUE(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Removed", "v").IsEmpty());
  EXPECT_TRUE(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing").IsEmpty());
}

TEST_F(RegistryTest, HostDirectoryFromTheServerRegistration) {
  EXPECT_EQ(reg.Value(HKEY_CLASSES_ROOT, "CLSID\\" + HostClassId() + "\\LocalServer32"),
            Variant("C:\\Program Files\\Host\\host.exe"))
      << "without its terminating zero";
  EXPECT_EQ(HostDirectoryFromRegistry(), "C:/Program Files/Host/");
  Install(Exported(std::string("Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\CLSID\\") + HostClassId() +
                   "\\LocalServer32]\r\n@=\"host.exe\"\r\n"));
  EXPECT_EQ(HostDirectoryFromRegistry(), "/") << "no separator in the path";
  Install("");
  EXPECT_EQ(HostDirectoryFromRegistry(), "/") << "no registration";
}

TEST_F(RegistryTest, LongValuesAreReadWhole) {
  const std::string longText(3000, 'x');
  reg.SetValue(HKEY_CURRENT_USER, "Software\\Long", "v", Variant(longText));
  EXPECT_EQ(reg.Value(HKEY_CURRENT_USER, "Software\\Long", "v"), Variant(longText));
}

TEST_F(RegistryTest, EnumKeysInBothModes) {
  Variant names;
  const std::int32_t absolute = emAbsolute;
  EXPECT_EQ(reg.EnumKeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", names, &absolute), -1);
  EXPECT_EQ(names, Variant(Variant::Array{Variant("SOFTWARE\\X\\A"), Variant("SOFTWARE\\X\\B")}));
  EXPECT_EQ(reg.EnumKeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", names), -1);
  EXPECT_EQ(names, Variant(Variant::Array{Variant("A"), Variant("B")}));
  EXPECT_EQ(reg.EnumKeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\X\\B", names), 0);
  EXPECT_EQ(names, Variant(Variant::Array{Variant("")}));
  EXPECT_EQ(reg.EnumKeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nope", names), 0);
}

TEST_F(RegistryTest, EnumValuesListsNamedValuesOnly) {
  Variant items;
  EXPECT_EQ(reg.EnumValues(HKEY_LOCAL_MACHINE, "SOFTWARE\\X\\A", items), -1);
  EXPECT_EQ(items, Variant(Variant::Array{Variant(""), Variant("")}));
  reg.SetValue(HKEY_CURRENT_USER, "Software\\V", "one", Variant("1"));
  reg.SetValue(HKEY_CURRENT_USER, "Software\\V", "two", Variant(std::int32_t{2}));
  EXPECT_EQ(reg.EnumValues(HKEY_CURRENT_USER, "Software\\V", items), -1);
  EXPECT_EQ(items, Variant(Variant::Array{Variant("one"), Variant("1"), Variant("two"), Variant(2.0)}));
  EXPECT_EQ(reg.EnumValues(HKEY_CURRENT_USER, "Software\\Nope", items), 0);
}

TEST_F(RegistryTest, StoredValuesHaveTheirRegistryTypes) {
  const std::string key = "Software\\Types";
  reg.SetValue(HKEY_CURRENT_USER, key, "text", Variant("12"));
  reg.SetValue(HKEY_CURRENT_USER, key, "number", Variant(std::int32_t{12}));
  reg.SetValue(HKEY_CURRENT_USER, key, "null", Variant(Variant::Null{}));
  reg.SetValue(HKEY_CURRENT_USER, key, "double", Variant(2.5));
  reg.SetValue(HKEY_CURRENT_USER, key, "list", Variant(Variant::Array{Variant("a"), Variant(std::int16_t{7})}));
  reg.SetValue(HKEY_CURRENT_USER, key, "empty", Variant());
  HKEY handle = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle), ERROR_SUCCESS);
  const auto raw = [&](const char* name, std::uint32_t expectedType) {
    std::uint32_t type = 0;
    std::uint32_t size = 1024;
    std::string data;
    EXPECT_EQ(RegQueryValueExA(handle, name, &type, &data, &size), ERROR_SUCCESS) << name;
    EXPECT_EQ(type, expectedType) << name;
    return data;
  };
  EXPECT_EQ(raw("text", REG_SZ), std::string("12\0", 3));
  EXPECT_EQ(raw("number", REG_DWORD), std::string("\x0C\0\0\0", 4));
  EXPECT_EQ(raw("null", REG_DWORD), std::string(4, '\0'));
  EXPECT_EQ(raw("double", REG_SZ), std::string("2.5\0", 4));
  EXPECT_EQ(raw("list", REG_MULTI_SZ), std::string("a\0"
                                                   "7\0\0",
                                                   5));
  std::uint32_t size = 0;
  EXPECT_EQ(RegQueryValueExA(handle, "empty", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  RegCloseKey(handle);
}

TEST_F(RegistryTest, WritesKeepEveryOtherKeyAndReadBack) {
  reg.SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Dword", Variant(std::int32_t{-2}));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Dword"), Variant(-2.0));
  const std::string file = dir.Read("registry.reg");
  EXPECT_TRUE(file.starts_with("\xFF\xFE" + Utf8ToUtf16Le("Windows Registry Editor Version 5.00\r\n")));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Text"), Variant("say \"hi\" caf\xC3\xA9"));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Multi"),
            Variant(Variant::Array{Variant("a"), Variant("bc")}));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Expand"), Variant("%PATH%"));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Binary"), Variant(std::string("A\0B", 3)));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Big"), Variant(256.0));
  EXPECT_EQ(HostDirectoryFromRegistry(), "C:/Program Files/Host/");
}

TEST_F(RegistryTest, MalformedFilesReadAsFarAsTheyAreWellFormed) {
  Install(
      "REGEDIT4\r\n"
      "\"Outside\"=\"no key\"\r\n"
      "[HKEY_CURRENT_USER\\Broken\r\n"
      "\"InBroken\"=\"skipped\"\r\n"
      "[HKEY_CURRENT_USER\\Good]\r\n"
      "\"BadHex\"=hex:4g\r\n"
      "\"BadDword\"=dword:xyz\r\n"
      "\"Unclosed\"=\"text\r\n"
      "\"Fine\"=\"caf\xE9\"\r\n"
      "\"Ansi\"=hex(2):61,62,00\r\n");
  EXPECT_EQ(reg.Value(HKEY_CURRENT_USER, "Good", "Fine"), Variant("caf\xC3\xA9"))
      << "REGEDIT4 is in the Western code page";
  EXPECT_EQ(reg.Value(HKEY_CURRENT_USER, "Good", "Ansi"), Variant("ab"));
  for (const char* name : {"BadHex", "BadDword", "Unclosed"})
    EXPECT_TRUE(reg.Value(HKEY_CURRENT_USER, "Good", name).IsEmpty());
  EXPECT_TRUE(reg.Value(HKEY_CURRENT_USER, "Broken", "InBroken").IsEmpty());

  const std::string truncated = Exported(kExport);
  Install(truncated.substr(0, truncated.size() / 2 + 1));
  EXPECT_EQ(HostDirectoryFromRegistry(), "C:/Program Files/Host/");
}

TEST_F(RegistryTest, AFileThatIsNoRegistryIsNeverOverwritten) {
  Install("just some text\r\n");
  EXPECT_TRUE(reg.Value(HKEY_CURRENT_USER, "Software", "x").IsEmpty());
  reg.SetValue(HKEY_CURRENT_USER, "Software", "x", Variant("1"));
  EXPECT_EQ(dir.Read("registry.reg"), "just some text\r\n");
}

TEST_F(RegistryTest, AReadOnlyRegistryCanBeReadButNotListedOrWritten) {
  ::chmod((dir.Path() + "registry.reg").c_str(), 0444);
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Dword"), Variant(256.0));
  Variant names;
  EXPECT_EQ(reg.EnumKeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", names), 0) << "listing asks for write rights";
  reg.SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Dword", Variant(std::int32_t{1}));
  EXPECT_EQ(reg.Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Dword"), Variant(256.0));
}

TEST(RegistryPath, FromTheEnvironment) {
  ScopedEnv none("VELMORA_REGISTRY", nullptr);
  ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(RegistryFilePath(), "/cfg/velmora/registry.reg");
}

TEST(GetDirectory, EverythingBeforeTheLastSeparator) {
  EXPECT_EQ(GetDirectory("/opt/host/host.exe"), "/opt/host");
  EXPECT_EQ(GetDirectory("host.exe"), "");
  EXPECT_EQ(GetDirectory("/host"), "");
}

}  // namespace
}  // namespace velmora
