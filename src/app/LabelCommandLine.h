#pragma once
// velmora-label's commands, one row each: its name, what it does, and what
// declares its options. A run declares the options of the command it names
// only (the others are listed for the help, nothing more), and of those the
// groups its line names (OfferedOptions).
#include <functional>
#include <span>
#include <string>

#include <CLI/CLI.hpp>

#include "OfferedOptions.h"

namespace velmora::app {

// What runs a parsed command, given the data directory.
using CommandRun = std::function<int(const std::string& dataDir)>;

struct LabelCommand {
  const char* name;
  const char* description;
  CommandRun (*declare)(CLI::App& command, const OfferedOptions& offered);
};

std::span<const LabelCommand> LabelCommands();

// The command that `args` (argv without the program) names, or nullptr; a
// value of --data-dir is never taken for one.
const LabelCommand* NamedCommand(std::span<char* const> args);

}  // namespace velmora::app
