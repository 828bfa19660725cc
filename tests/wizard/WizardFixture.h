#pragma once
// Runs the wizard headless on the shipped data files, with a host directory of
// its own, and gives the dumps and messages back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"
#include "wizard/HeadlessRun.h"

namespace velmora::test {

struct WizardOutcome {
  HeadlessRunResult Result;
  std::vector<nlohmann::json> Dumps;
  std::string Errors;  // what went to standard error: boxes and script errors
  const nlohmann::json& Last() const { return Dumps.back(); }
};

class WizardFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `script` (lines joined by newlines) with the given host variables.
  WizardOutcome Run(const std::string& script, const std::vector<std::string>& variables = {});
  std::string Template() const { return host.Read("SYSTEM/128.ufo"); }
  // The value of `key` in `section` of the written template.
  std::string TemplateValue(const std::string& section, const std::string& key) const;

  TempDir host;
  std::string dataDir = VELMORA_SHIPPED_DATA_DIR;
  ScopedEnv user{"USER", "tester"};
};

// The keys of a page's dump that say what the user sees.
int Page(const nlohmann::json& dump);
bool Shown(const nlohmann::json& dump, const std::string& control);
bool Enabled(const nlohmann::json& dump, const std::string& array, int index);

}  // namespace velmora::test
