#pragma once
// One wizard run without a screen: the window is loaded with the given data and
// host directories and variable names, and an action script plays the user.
#include <iosfwd>
#include <string>
#include <vector>

namespace velmora {

struct HeadlessRunOptions {
  std::string DataDir;  // empty: the program directory
  std::string HostDir;  // empty: the registry lookup
  std::vector<std::string> VariableNames;
  std::string Script;
};

struct HeadlessRunResult {
  int Status = 0;            // 0, or non-zero after a script error, a run-time error or an ended process
  std::string TemplateFile;  // what the host would be handed at the end
};

// Dumps go to `out`; message boxes and errors to `err`, one line each.
HeadlessRunResult RunHeadless(const HeadlessRunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace velmora
