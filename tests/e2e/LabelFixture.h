#pragma once
// velmora-label run as a process, in a scratch folder of the test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "support/TempDir.h"

namespace velmora::test {

class LabelFixture : public ::testing::Test {
 protected:
  Outcome Run(std::vector<std::string> args) {
    args.insert(args.begin(), VELMORA_LABEL_EXE);
    return RunToEnd(args, work.Path() + "stderr.txt");
  }
  static std::string Example(const std::string& name) { return std::string(VELMORA_SOURCE_DIR) + "/examples/" + name; }
  TempDir work;
};

}  // namespace velmora::test
