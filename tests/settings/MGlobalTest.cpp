#include <gtest/gtest.h>

#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/MCountry.h"
#include "platform/MessageBox.h"
#include "settings/MGlobal.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::ScopedEnv;
using test::TempDir;

class MGlobalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    SetLanguage("US");
    Globals().HostDir = dir.Path();
    Globals().DataDir = dir.Path();
    Globals().PageTextFile = dir.Write(
        "cn128A.INF",
        "[Format]\r\nTypeFile=country128\r\n[Country]\r\ntitle=  Page title  \r\nLong=" + std::string(300, 'y') +
            "\r\n"
            "FieldDef0=Numeric\r\nFieldDef1=\"Alphanumeric \"\r\n"
            "FieldDef2=Fixed length\r\nFieldDef3=Up to\r\n");
    dir.Write("TAVREL.INI", "[General]\r\nVelmora= Label wizard \r\n");
  }
  TempDir dir;
  RecordingMessageBoxes boxes;
};

TEST_F(MGlobalTest, GoodFormatNeedsTheExactName) {
  const std::pair<const char*, bool> cases[] = {
      {"ID128", true}, {"Id128", false}, {"ID128x", false}, {" ID128 ", true}, {"", false}};
  for (const auto& [value, good] : cases) {
    SCOPED_TRACE(value);
    const std::string file = dir.Write(std::string("f") + std::to_string(good) + value + ".inf",
                                       std::string("[Format]\r\nTypeFile=") + value + "\r\n");
    EXPECT_EQ(GoodFormat(file, "ID128"), good);
  }
  EXPECT_FALSE(GoodFormat(dir.Path() + "missing.inf", "ID128"));
  EXPECT_FALSE(GoodFormat(dir.Write("nosec.inf", "[Other]\r\nTypeFile=ID128\r\n"), "ID128"));
  EXPECT_TRUE(GoodFormat(Globals().PageTextFile, "country128"));
  EXPECT_FALSE(GoodFormat(dir.Write("cap.inf", "[Format]\r\nTypeFile=Country128\r\n"), "country128"));
}

TEST_F(MGlobalTest, TitleComesFromTheHostSettingsOnly) {
  EXPECT_EQ(GetCny("title"), "Label wizard");
  EXPECT_EQ(GetCny("Title"), "Page title");
  EXPECT_EQ(GetCny("Long"), std::string(255, 'y'));
  EXPECT_EQ(GetCny("missing"), "");
}

TEST_F(MGlobalTest, FailuresAreReportedOnlyInDebugMode) {
  Globals().PageTextFile = dir.Path();  // a directory cannot be read
  EXPECT_EQ(GetCny("Title"), "");
  EXPECT_FALSE(GoodFormat(dir.Path(), "country128"));
  EXPECT_TRUE(boxes.Shown().empty());
  Globals().DebugMode = True;
  EXPECT_EQ(GetCny("Title"), "");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Title, "GLOBAL\\GetCny");
  EXPECT_EQ(boxes.Shown()[0].Prompt, "Path/File access error\n\rParameters : \n\rTitle");
  EXPECT_FALSE(GoodFormat(dir.Path(), "country128"));
  EXPECT_EQ(boxes.Shown().back().Title, "GLOBAL\\GoodFormat");
  Globals().PageTextFile = dir.Path() + "missing.INF";
  EXPECT_EQ(GetCny("Title"), "");
  EXPECT_EQ(boxes.Shown().size(), 2u) << "a missing file is no failure";
}

TEST_F(MGlobalTest, CatalogueValuesAreTrimmed) {
  dir.Write("ID128.inf", "[ID128]\r\nid0_number=  01 \r\n");
  EXPECT_EQ(ReadIdCatalogue("ID128", "id0_number"), "01");
  EXPECT_EQ(ReadIdCatalogue("ID128", "id1_number"), "");
}

TEST_F(MGlobalTest, FieldDescriptionOfLengthRuleAndKind) {
  IdRecord record;
  record.HasMax = True;
  record.IsNumeric = False;
  record.CharLen = 20;
  EXPECT_EQ(FieldDescription(record), "Fixed length  20\n\rAlphanumeric ");
  record.HasMax = False;
  record.IsNumeric = True;
  record.CharLen = -3;
  EXPECT_EQ(FieldDescription(record), "Up to  -3\n\rNumeric");
}

TEST(AppPath, DataDirectoryWithOneSeparator) {
  ScopedEnv env("VELMORA_DATA_DIR", "/opt/wizard/");
  EXPECT_EQ(AppPath(""), "/opt/wizard/");
  EXPECT_EQ(AppPath("ID128.inf"), "/opt/wizard/ID128.inf");
}

}  // namespace
}  // namespace velmora
