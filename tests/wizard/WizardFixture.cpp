#include "WizardFixture.h"

#include <filesystem>
#include <sstream>

#include "base/GlobalValues.h"
#include "ids/HistoryState.h"
#include "platform/ProcessExit.h"
#include "platform/profile/ProfileApi.h"

namespace velmora::test {

void WizardFixture::SetUp() {
  ResetGlobals();
  ResetHistory();
  host.Write("TAVREL.INI", "[General]\r\nVelmora=GS1-128 wizard\r\n");
  host.Write("System/Users/User.ini", "[Initialize]\r\nCountry=0\r\n");
  std::filesystem::create_directories(host.Path() + "SYSTEM");
  SetEndProcessHandler([](int) {});  // the end of the process is reported, not carried out
}

void WizardFixture::TearDown() { SetEndProcessHandler({}); }

WizardOutcome WizardFixture::Run(const std::string& script, const std::vector<std::string>& variables) {
  std::ostringstream out;
  std::ostringstream err;
  WizardOutcome outcome;
  outcome.Result = RunHeadless({dataDir, host.Path(), variables, script}, out, err);
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) outcome.Dumps.push_back(nlohmann::json::parse(line));
  outcome.Errors = err.str();
  return outcome;
}

std::string WizardFixture::TemplateValue(const std::string& section, const std::string& key) const {
  return GetPrivateProfileStringA(section, key, "<missing>", 4096, host.Path() + "SYSTEM/128.ufo").Buffer;
}

int Page(const nlohmann::json& dump) { return dump.at("page").get<int>(); }

bool Shown(const nlohmann::json& dump, const std::string& control) {
  return dump.at("controls").at(control).at("visible").get<bool>();
}

bool Enabled(const nlohmann::json& dump, const std::string& array, int index) {
  return dump.at("controls").at(array).at(static_cast<std::size_t>(index)).at("enabled").get<bool>();
}

}  // namespace velmora::test
