#pragma once
// The programs run as processes, in a scratch folder of the test's own, with
// the bundled examples at hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "support/TempDir.h"

namespace velmora::test {

class ProcessFixture : public ::testing::Test {
 protected:
  // velmora-label with `args`, to its end.
  Outcome Run(std::vector<std::string> args) { return RunProgram(VELMORA_LABEL_EXE, std::move(args)); }
  // velmora-wizard with `args`, to its end.
  Outcome RunWizard(std::vector<std::string> args) { return RunProgram(VELMORA_WIZARD_EXE, std::move(args)); }
  static std::string Example(const std::string& name) { return std::string(VELMORA_SOURCE_DIR) + "/examples/" + name; }
  // A copy of the example host folder in the scratch folder; its path, ending in '/'.
  std::string ExampleHost() {
    std::filesystem::copy(Example("host"), work.Path() + "host", std::filesystem::copy_options::recursive);
    return work.Path() + "host/";
  }
  // The wizard run with `script` on the example host document; the template it wrote.
  std::string TemplateFromScript(const std::string& script) {
    const std::string host = ExampleHost();
    const Outcome o = RunWizard({"run", "--doc", Example("document.json"), "--script", script, "--host-dir", host});
    EXPECT_EQ(o.status, 0) << o.err;
    return host + "SYSTEM/128.ufo";
  }

  TempDir work;
  ScopedEnv user{"USER", "tester"};

 private:
  Outcome RunProgram(const char* exe, std::vector<std::string> args) {
    args.insert(args.begin(), exe);
    return RunToEnd(args, work.Path() + "stderr.txt");
  }
};

}  // namespace velmora::test
