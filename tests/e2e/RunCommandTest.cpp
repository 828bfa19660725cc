// velmora-wizard run and its command line, tested as a process.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "ProcessFixture.h"

namespace velmora {
namespace {

using test::Outcome;

class RunCommandTest : public test::ProcessFixture {
 protected:
  Outcome Run(std::vector<std::string> args) { return RunWizard(std::move(args)); }
};

TEST_F(RunCommandTest, BundledExampleWritesTheWorkedExample) {
  ExampleHost();
  const Outcome o = Run({"run", "--doc", Example("document.json"), "--script", Example("worked-example.script"),
                         "--host-dir", work.Path() + "host"});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "imported: " + work.Path() + "host/SYSTEM/128.ufo\n");
  EXPECT_NE(work.Read("host/SYSTEM/128.ufo")
                .find("Format=\"(01)0000001234567\" & Modulo10(\"0000001234567\") & "
                      "\"(10)\" & LOT\r\n"),
            std::string::npos);
}

TEST_F(RunCommandTest, CommandLineErrorsAreClear) {
  const std::string script = work.Write("s.txt", "cancel\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string says;
  } cases[] = {
      {{"run", "--doc", work.Path() + "none.json", "--script", script}, 2, "none.json: no such document file"},
      {{"run", "--doc", work.Write("bad.json", "{"), "--script", script}, 2, "bad.json: not valid JSON at line 1"},
      {{"run", "--doc", work.Write("deep.json", std::string(100000, '[') + std::string(100000, ']')), "--script",
        script},
       2,
       "deep.json: nested too deeply"},
      {{"run", "--doc", work.Write("huge.json", R"({"variables":[],"number":1e400})"), "--script", script},
       2,
       "huge.json: number overflow"},
      {{"run", "--doc", work.Path(), "--script", script}, 2, "is a folder, not a document file"},
      {{"run", "--doc", work.Write("kind.json", R"({"variables":[{"name":"A","kind":5},{"name":"B","kind":"x"}]})"),
        "--script", script},
       1,
       "run-time error 13: Type mismatch (kind.json: variables[1].kind is \"x\")"},
      {{"run", "--doc", work.Path() + "ok.json", "--script",
        work.Write("done.txt", "pick 20\nnext\nnext\ntype 12\nnext\ndone\n"), "--host-dir", work.Path() + "nosystem"},
       5,
       "no template was written at " + work.Path() + "nosystem/SYSTEM/128.ufo: the folder " + work.Path() +
           "nosystem/SYSTEM does not exist"},
      {{"run", "--doc", work.Path() + "ok.json", "--script", script, "--host-dir", work.Path() + "caf\xE9"},
       2,
       "--host-dir: the folder's name is not valid UTF-8"},
      {{"run", "--doc", work.Write("ok.json", "{}")}, 3, "no display to open the window on"},
      {{"serve"}, 3, "no display to open the window on"},
      {{"serve", "--headless"}, 2, "--headless requires --script"},
      {{"run", "--doc", work.Path() + "ok.json", "--script", work.Write("bad.txt", "fly\n")},
       2,
       "script line 1: unknown action \"fly\""},
      {{"launch"}, 2, "unknown command launch"},
      {{"run", "--bogus"}, 2, "unknown option --bogus"},
      {{"--bogus"}, 2, "unknown option --bogus"},
      {{}, 2, "Usage:"},
  };
  const test::ScopedEnv noDisplay("DISPLAY", nullptr);
  const test::ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
  const test::ScopedEnv noPlatform("QT_QPA_PLATFORM", nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? std::string("(nothing)")
                                : c.args[0] + " " + (c.args.size() > 1 ? c.args.back() : ""));
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, c.status);
    EXPECT_NE((o.err + o.out).find(c.says), std::string::npos) << o.err << o.out;
  }
}

TEST_F(RunCommandTest, TheOutcomeIsWhatThisRunWrote) {
  const std::string doc = work.Write("ok.json", "{}");
  const std::string script = work.Write("done.txt", "pick 20\nnext\nnext\ntype 12\nnext\ndone\n");
  // no host directory at all: said, with how to give one
  const test::ScopedEnv registry("VELMORA_REGISTRY", (work.Path() + "no-registry.reg").c_str());
  const Outcome none = Run({"run", "--doc", doc, "--script", script});
  EXPECT_EQ(none.status, 5);
  EXPECT_EQ(none.out, "") << "nothing was handed over";
  EXPECT_NE(none.err.find("no host directory was found (no --host-dir, and the registry names no host program); "
                          "give one with --host-dir DIR"),
            std::string::npos)
      << none.err;
  // a template that cannot be replaced: the earlier one is no outcome of this run
  std::filesystem::create_directories(work.Path() + "host/SYSTEM");
  const std::string stale = work.Write("host/SYSTEM/128.ufo", "[Objlist]\r\n");
  ASSERT_EQ(::chmod(stale.c_str(), 0444), 0);
  // the run tells its own writes by the status change time, on the file system's coarse clock: start it a tick later
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const Outcome kept = Run({"run", "--doc", doc, "--script", script, "--host-dir", work.Path() + "host"});
  EXPECT_EQ(kept.status, 5);
  EXPECT_EQ(kept.out, "") << "no imported: line for a file this run did not write";
  EXPECT_NE(kept.err.find("no template was written at " + stale + ": the file is read-only"), std::string::npos)
      << kept.err;
  ASSERT_EQ(::chmod(stale.c_str(), 0644), 0);
  const Outcome written = Run({"run", "--doc", doc, "--script", script, "--host-dir", work.Path() + "host"});
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, "imported: " + stale + "\n");
}

TEST_F(RunCommandTest, AValueThatDoesNotConvertNamesItsOwnFile) {
  const std::string data = work.Path() + "data/";
  std::filesystem::copy(std::string(VELMORA_SOURCE_DIR) + "/data", data);
  std::string catalogue = work.Read(data + "ID128.inf");
  catalogue.replace(catalogue.find("id5_Length=6"), 12, "id5_Length=40000");
  work.Write("data/ID128.inf", catalogue);
  const Outcome o = Run({"run", "--doc", work.Write("doc.json", R"({"variables":[],"number":123})"), "--script",
                         work.Write("p.script", "pick 11\nnext\n"), "--data-dir", data});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("run-time error 6: Overflow (ID128.inf: [ID128] id5_Length is 40000)"), std::string::npos)
      << o.err;
  EXPECT_EQ(o.err.find("doc.json"), std::string::npos) << "the document is no cause of it";
}

TEST_F(RunCommandTest, AHostFolderTheUserMayNotEnterIsAMessageNotAnAbort) {
  if (::geteuid() != 0 || std::system("command -v setpriv >/dev/null") != 0) GTEST_SKIP() << "needs root and setpriv";
  const std::string locked = work.Path() + "locked";
  std::filesystem::create_directories(locked + "/inner/SYSTEM");
  ASSERT_EQ(::chmod(locked.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(work.Path().c_str(), 0755), 0);
  const std::string doc = work.Write("pub.json", "{}");
  const std::string script = work.Write("pub.script", "pick 20\nnext\nnext\ntype 12\nnext\ndone\n");
  ASSERT_EQ(::chmod(doc.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(script.c_str(), 0644), 0);
  const std::string command = std::string("setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp ") +
                              VELMORA_WIZARD_EXE + " run --doc " + doc + " --script " + script + " --host-dir " +
                              locked + "/inner >/dev/null 2>" + work.Path() + "err.txt";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(raw), 5) << work.Read("err.txt");
  EXPECT_NE(work.Read("err.txt").find("the folder " + locked + "/inner/SYSTEM cannot be reached (permission denied)"),
            std::string::npos)
      << work.Read("err.txt");
}

TEST_F(RunCommandTest, ADisplayThatCannotBeOpenedIsLikeNone) {
  const test::ScopedEnv display("DISPLAY", ":77");
  const test::ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
  const test::ScopedEnv noPlatform("QT_QPA_PLATFORM", nullptr);
  const Outcome o = Run({"run", "--doc", work.Write("ok.json", "{}")});
  EXPECT_EQ(o.status, 3) << "not an abort";
  EXPECT_NE(o.err.find("cannot open the display :77"), std::string::npos) << o.err;
}

TEST_F(RunCommandTest, AMissingWindowProgramIsNamed) {
  const test::ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
  const test::ScopedEnv program("VELMORA_WINDOW_PROGRAM", (work.Path() + "gone/velmora-wizard-window").c_str());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"run", "--doc", work.Write("ok.json", "{}")}, std::vector<std::string>{"serve"}}) {
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find(work.Path() + "gone/velmora-wizard-window: cannot start the window program (No such file"),
              std::string::npos)
        << o.err;
  }
  EXPECT_EQ(Run({"run", "--doc", work.Path() + "ok.json", "--script", work.Write("c.txt", "cancel\n")}).status, 4)
      << "a run with a script needs no window program";
}

TEST_F(RunCommandTest, VersionHelpAndTheWordDebug) {
  const Outcome version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("{6F1C2B84-3D5E-4A7B-9C0D-8E2F4A6B1C3D}"), std::string::npos);
  EXPECT_NE(Run({"--help"}).out.find("serve"), std::string::npos);
  const Outcome help = Run({"help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage:"), std::string::npos);

  ExampleHost();
  const std::string script = work.Write("dump.txt", "dump\n");
  const std::string debugNamed = work.Write("my-debug.script", "dump\n");
  // Any argument holding the word, in any case, switches debug mode on and is never refused;
  // an option's value that holds it keeps its meaning.
  const std::vector<std::vector<std::string>> lines = {
      {"DEBUG", "run", "--script", script},     {"run", "/DEBUG", "--script", script},
      {"run", "--script", script, "-debug"},    {"--debug", "run", "--script", script},
      {"run", "debugging", "--script", script}, {"run", "--script", debugNamed},
      {"run", "--script=" + debugNamed}};
  for (std::vector<std::string> args : lines) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    args.insert(args.end(), {"--doc", Example("document.json"), "--host-dir", work.Path() + "host"});
    const Outcome debug = Run(args);
    ASSERT_EQ(debug.status, 4) << debug.err;  // the script ran out: cancelled
    EXPECT_NE(debug.out.find("\"caption\":\"GS1-128 label wizard[DEBUG]\""), std::string::npos) << debug.out;
  }
}

TEST_F(RunCommandTest, ActionsAfterTheWindowIsHiddenStillRun) {
  ExampleHost();
  const auto run = [&](const std::string& script) {
    return Run({"run", "--doc", Example("document.json"), "--script", work.Write("s.txt", script), "--host-dir",
                work.Path() + "host"});
  };
  const Outcome dumped = run("cancel\ndump\n");
  ASSERT_EQ(dumped.status, 4) << dumped.err;
  EXPECT_EQ(dumped.err, "cancelled\n");
  EXPECT_NE(dumped.out.find("\"visible\":false"), std::string::npos) << dumped.out;

  const Outcome refused = run("pick 01\nnext\nnext\nnext\nnext\ntype 1\nnext\ndone\nnext\n");
  EXPECT_NE(refused.status, 0);
  EXPECT_NE(refused.err.find("script line 9: the window is not shown"), std::string::npos) << refused.err;
}

// More variables than the wizard's list holds: said at Connect, and the list
// offers as many as it holds.
TEST_F(RunCommandTest, MoreVariablesThanTheListHoldsIsSaidAndTheFirstAreOffered) {
  nlohmann::json variables = nlohmann::json::array();
  for (int i = 0; i < 32770; ++i) variables.push_back({{"name", "V" + std::to_string(i)}, {"kind", 5}});
  const std::string doc = work.Write("many.json", nlohmann::json{{"variables", variables}, {"number", 1}}.dump());
  ExampleHost();
  const Outcome o = Run({"run", "--doc", doc, "--script",
                         work.Write("s.txt", "pick 10\nnext\noption 1\nnext\ncombo-pick 32766\nnext\ndone\n"),
                         "--host-dir", work.Path() + "host"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.err.find("The label has 32770 variables that can feed an AI; the list of variables holds 32767, so only "
                       "the first 32767 are offered."),
            std::string::npos)
      << o.err;
  EXPECT_NE(work.Read("host/SYSTEM/128.ufo").find("V32766"), std::string::npos);
}

}  // namespace
}  // namespace velmora
