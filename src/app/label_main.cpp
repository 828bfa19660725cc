// velmora-label: the label host's command line.
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "LabelCommandLine.h"
#include "UsageErrors.h"
#include "platform/ProgramDirectory.h"

namespace {

constexpr const char* kVersion = VELMORA_VERSION;

}  // namespace

int main(int argc, char** argv) {
  // Said before the command line is built: CLI11 answers --version by throwing,
  // and the first exception of a process costs more than the rest of its start.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "velmora-label " << kVersion << std::endl;
    return 0;
  }
  std::signal(SIGPIPE, SIG_IGN);  // a wizard that ends early is reported, not fatal
  // Every label allocates and frees images of a few hundred kilobytes: keep that
  // memory in the process instead of mapping and zeroing fresh pages each time.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  CLI::App app{"GS1-128 label host: checks, draws and scans the labels of a 128.ufo template.", "velmora-label"};
  app.set_version_flag("--version", std::string("velmora-label ") + kVersion);
  app.require_subcommand(1);
  app.fallthrough();  // --data-dir may follow the command's name
  std::string dataDir;
  app.add_option("--data-dir", dataDir,
                 "the folder of the wizard's catalogue (ID128.inf), which splits a template's data");

  // Only the named command's options are declared: the rest are names in the help, when it is asked for.
  const velmora::app::LabelCommand* named = velmora::app::NamedCommand({argv + 1, argv + argc});
  const velmora::app::OfferedOptions offered = velmora::app::OfferedOptions::Of({argv + 1, argv + argc});
  std::vector<std::pair<CLI::App*, velmora::app::CommandRun>> commands;
  for (const velmora::app::LabelCommand& command : velmora::app::LabelCommands()) {
    // a command named (without help) is the only one its line can run: the others are not built
    if (named != nullptr && named != &command && !offered.Everything()) continue;
    CLI::App* sub = app.add_subcommand(command.name, command.description);
    if (named == nullptr || named == &command) commands.emplace_back(sub, command.declare(*sub, offered));
  }

  std::vector<std::string> args(argv + 1, argv + argc);
  std::reverse(args.begin(), args.end());  // CLI11 takes them in reverse
  if (const int status = velmora::app::ParseOrExplain(app, args); status >= 0) return status;
  if (!dataDir.empty()) velmora::SetProgramDirectoryOverride(std::filesystem::absolute(dataDir).string());
  const std::string data = velmora::ProgramDirectory();
  for (const auto& [sub, run] : commands) {
    // Ended without taking the command line apart (some 3% of a short run.s
    // work): the system takes the memory back; std::exit still flushes.
    if (sub->parsed()) std::exit(run(data));
  }
  return velmora::kStatusBadInput;  // CLI11 requires a command: not reached
}
