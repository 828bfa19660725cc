// The start-up: data-file checks, the title, the dialog font.
#include "WizardFixture.h"

#include "platform/CommandLine.h"

namespace velmora {
namespace {

using StartupTest = test::WizardFixture;

TEST_F(StartupTest, MissingOrMalformedDataFilesEndTheRunWithTheirMessage) {
  test::TempDir data;
  dataDir = data.Path();
  const struct {
    const char* pageText;  // nullptr: no file
    const char* catalogue;
    const char* message;
    std::string path;
  } cases[] = {
      {nullptr, "[Format]\r\nTypeFile=ID128\r\n", "File not found !", data.Path() + "cn128A.INF"},
      {"[Format]\r\nTypeFile=Country128\r\n", "[Format]\r\nTypeFile=ID128\r\n", "Format error !",
       data.Path() + "cn128A.INF"},
      {"[Format]\r\nTypeFile=country128\r\n", nullptr, "File not found !", data.Path() + "ID128.inf"},
      {"[Format]\r\nTypeFile=country128\r\n", "[Format]\r\nTypeFile=ID128x\r\n", "Format error !",
       data.Path() + "ID128.inf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message + (" " + c.path));
    std::filesystem::remove(data.Path() + "cn128A.INF");
    std::filesystem::remove(data.Path() + "ID128.inf");
    if (c.pageText) data.Write("cn128A.INF", c.pageText);
    if (c.catalogue) data.Write("ID128.inf", c.catalogue);
    const auto run = Run("dump\n");
    EXPECT_EQ(run.Result.Status, 1);
    EXPECT_TRUE(run.Dumps.empty()) << "the window is never shown";
    // one readable line on standard error; the padded text itself is the box's
    EXPECT_EQ(run.Errors, std::string(c.message) + " " + c.path + "\n") << "one message only";
  }
}

TEST_F(StartupTest, CountryChoosesThePageTextFile) {
  host.Write("System/Users/User.ini", "[Initialize]\r\nCountry=1\r\n");
  const auto run = Run("dump\n");
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Last()["controls"]["Curseur"][1]["caption"], "Suivant >");
}

TEST_F(StartupTest, DebugModeEndsTheTitle) {
  const char* argv[] = {"velmora-wizard", "run", "--verbose-debugging"};
  SetCommandLine(3, argv);
  const auto run = Run("dump\n");
  SetCommandLine(1, argv);
  ASSERT_EQ(run.Result.Status, 0) << run.Errors;
  EXPECT_EQ(run.Last()["caption"], "GS1-128 wizard[DEBUG]");
}

TEST_F(StartupTest, DialogFontFromThePerUserSettings) {
  const struct {
    const char* pointFont;
    const char* name;
    double size;
  } cases[] = {
      {"Arial, 10", "Arial", 10}, {"Arial,10", "MS Sans Serif", 8.25},  // no ", ": only bold is cleared
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pointFont);
    host.Write("System/Users/TESTER.ini", std::string("[Dialogs]\r\nPointFont=") + c.pointFont + "\r\n");
    const auto run = Run("pick 10\nnext\ndump\n");
    ASSERT_EQ(run.Result.Status, 0) << run.Errors;
    for (const char* control : {"LabelTitle", "ActionTitle", "ActionList", "line_code"}) {
      const auto& font = run.Last()["controls"][control];
      EXPECT_EQ(font["fontName"], c.name) << control;
      EXPECT_EQ(font["fontSize"], c.size) << control;
      EXPECT_FALSE(font["fontBold"]) << control << " is bold in the design, not after";
    }
    EXPECT_EQ(run.Last()["controls"]["ActionOption"][1]["fontName"], c.name) << "loaded options too";
  }
}

}  // namespace
}  // namespace velmora
