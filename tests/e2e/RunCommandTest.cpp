// velmora-wizard run and its command line, tested as a process.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ChildProcess.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class RunCommandTest : public ::testing::Test {
 protected:
  Outcome Run(std::vector<std::string> args) {
    args.insert(args.begin(), VELMORA_WIZARD_EXE);
    test::ChildProcess child(args, work.Path() + "stderr.txt");
    child.CloseInput();
    Outcome o;
    for (std::string line; child.ReadLine(line);) o.out += line + "\n";
    o.status = child.Wait();
    o.err = work.Read("stderr.txt");
    return o;
  }
  std::string Example(const std::string& name) { return std::string(VELMORA_SOURCE_DIR) + "/examples/" + name; }
  test::TempDir work;
  test::ScopedEnv user{"USER", "tester"};
};

TEST_F(RunCommandTest, BundledExampleWritesTheWorkedExample) {
  std::filesystem::copy(Example("host"), work.Path() + "host", std::filesystem::copy_options::recursive);
  const Outcome o = Run({"run", "--doc", Example("document.json"), "--script", Example("worked-example.script"),
                         "--host-dir", work.Path() + "host"});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "imported: " + work.Path() + "host/SYSTEM/128.ufo\n");
  EXPECT_NE(work.Read("host/SYSTEM/128.ufo").find("Format=\"(01)0000001234567\" & Modulo10(\"0000001234567\") & "
                                                  "\"(10)\" & LOT\r\n"),
            std::string::npos);
}

TEST_F(RunCommandTest, CommandLineErrorsAreClear) {
  const std::string script = work.Write("s.txt", "cancel\n");
  const struct {
    std::vector<std::string> args;
    int status;
    const char* says;
  } cases[] = {
      {{"run", "--doc", work.Path() + "none.json", "--script", script}, 2, "none.json: cannot open"},
      {{"run", "--doc", work.Write("bad.json", "{"), "--script", script}, 2, "bad.json: not valid JSON"},
      {{"run", "--doc", work.Write("ok.json", "{}")}, 3, "no display to open the window on"},
      {{"serve"}, 3, "no display to open the window on"},
      {{"serve", "--headless"}, 107, "--headless requires --script"},
      {{"run", "--doc", work.Path() + "ok.json", "--script", work.Write("bad.txt", "fly\n")}, 2,
       "script line 1: unknown action \"fly\""},
      {{"launch"}, 106, "A subcommand is required"},
  };
  const test::ScopedEnv noDisplay("DISPLAY", nullptr);
  const test::ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
  const test::ScopedEnv noPlatform("QT_QPA_PLATFORM", nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + (c.args.size() > 1 ? c.args.back() : ""));
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, c.status);
    EXPECT_NE((o.err + o.out).find(c.says), std::string::npos) << o.err << o.out;
  }
}

TEST_F(RunCommandTest, VersionHelpAndTheWordDebug) {
  const Outcome version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("{6F1C2B84-3D5E-4A7B-9C0D-8E2F4A6B1C3D}"), std::string::npos);
  EXPECT_NE(Run({"--help"}).out.find("serve"), std::string::npos);

  std::filesystem::copy(Example("host"), work.Path() + "host", std::filesystem::copy_options::recursive);
  const std::string script = work.Write("dump.txt", "dump\n");
  const Outcome debug = Run({"DEBUG", "run", "--doc", Example("document.json"), "--script", script, "--host-dir",
                             work.Path() + "host"});
  ASSERT_EQ(debug.status, 0) << debug.err;
  EXPECT_NE(debug.out.find("\"caption\":\"GS1-128 label wizard[DEBUG]\""), std::string::npos) << debug.out;
}

}  // namespace
}  // namespace velmora
