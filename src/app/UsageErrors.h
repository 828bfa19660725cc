#pragma once
// Command-line mistakes as command-line tools report them: the bad word named,
// the usage offered, exit status 2. `help` and a bare command print the usage.
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "platform/ExitStatus.h"

namespace velmora::app {

// The first word of `forward` that names no command or option of `app`.
inline std::string UnknownWord(CLI::App& app, const std::vector<std::string>& forward) {
  CLI::App* command = nullptr;
  bool value = false;  // the word is the value of the option before it
  for (const std::string& word : forward) {
    if (std::exchange(value, false)) continue;
    if (!word.starts_with('-')) {
      if (command != nullptr) continue;  // an option's value or a positional argument
      for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
        if (sub->get_name() == word) command = sub;
      }
      if (command == nullptr) return word;
      continue;
    }
    const std::string option = word.substr(0, word.find('='));
    const CLI::Option* known = app.get_option_no_throw(option);
    if (known == nullptr && command != nullptr) known = command->get_option_no_throw(option);
    if (known == nullptr) return word;
    value = known->get_type_size() != 0 && word.find('=') == std::string::npos;
  }
  return {};
}

// Parses `args` (in CLI11's reversed order). Returns -1 when the program goes
// on, else the exit status, after printing what there is to print.
inline int ParseOrExplain(CLI::App& app, std::vector<std::string> args) {
  const std::string name = app.get_name();
  if (args.empty() || args.back() == "help") {
    std::cout << app.help();
    return args.empty() ? kStatusUsage : kStatusOk;
  }
  const std::vector<std::string> forward(args.rbegin(), args.rend());
  if (const std::string word = UnknownWord(app, forward); !word.empty()) {
    std::cerr << name << ": " << (word.starts_with('-') ? "unknown option " : "unknown command ") << word << " (see "
              << name << " --help)" << std::endl;
    return kStatusUsage;
  }
  try {
    app.parse(args);
    return -1;
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << name << ": " << e.what() << " (see " << name << " --help)" << std::endl;
  }
  return kStatusUsage;
}

}  // namespace velmora::app
