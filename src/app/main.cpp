// velmora-wizard: the GS1-128 wizard's command line.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "automation/Sessions.h"
#include "platform/CaseFold.h"
#include "platform/CommandLine.h"
#include "platform/ProgramDirectory.h"
#include "settings/HostDirectory.h"

namespace {

constexpr const char* kVersion = VELMORA_VERSION;

struct Options {
  std::string doc;
  std::string script;
  std::string hostDir;
  std::string dataDir;
  bool headless = false;
};

// The arguments for the parser: the word DEBUG (any case) stands anywhere and
// is read by the wizard from the whole command line, not by the parser.
std::vector<std::string> ParserArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = argc - 1; i >= 1; --i) {  // CLI11 takes them in reverse
    if (velmora::UpperCase(argv[i]) != "DEBUG") args.emplace_back(argv[i]);
  }
  return args;
}

bool ReadScript(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << path << ": cannot read the action script" << std::endl;
    return false;
  }
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

// Without a script there must be a window, and this build has none yet.
int NeedsScript(const char* command) {
  std::cerr << "velmora-wizard " << command
            << ": this build has no window; give an action script with --script FILE"
            << (std::string(command) == "serve" ? " and --headless" : "") << std::endl;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);  // a host that closes its pipe ends the server cleanly
  velmora::SetCommandLine(argc, argv);

  CLI::App app{"GS1-128 barcode wizard: builds a Code 128 data formula and a readable-text formula from GS1 "
               "Application Identifiers and writes the label template 128.ufo for the host.\n"
               "The word DEBUG anywhere on the command line switches debug mode on.",
               "velmora-wizard"};
  app.set_version_flag("--version", std::string("velmora-wizard ") + kVersion + "\nhost class id " +
                                        velmora::HostClassId());
  app.require_subcommand(1);
  Options o;
  const auto common = [&o](CLI::App* sub) {
    sub->add_option("--script", o.script, "action script that plays the user")->check(CLI::ExistingFile);
    sub->add_option("--host-dir", o.hostDir, "the host's directory (instead of the registry lookup)");
    sub->add_option("--data-dir", o.dataDir, "the wizard's data files (instead of VELMORA_DATA_DIR)");
  };
  CLI::App* run = app.add_subcommand("run", "one wizard run against a host document kept in a JSON file");
  run->add_option("--doc", o.doc, "the host document file")->required();
  common(run);
  CLI::App* serve = app.add_subcommand("serve", "the automation server: JSON-RPC 2.0 on standard input and output");
  serve->add_flag("--headless", o.headless, "no window: the action script plays the user");
  common(serve);

  try {
    std::vector<std::string> args = ParserArguments(argc, argv);
    app.parse(args);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }

  // The host is handed an absolute template path, whatever directory it runs in.
  velmora::SetHostDirectoryOverride(o.hostDir.empty() ? o.hostDir : std::filesystem::absolute(o.hostDir).string());
  velmora::SetProgramDirectoryOverride(o.dataDir.empty() ? o.dataDir : std::filesystem::absolute(o.dataDir).string());
  std::string script;
  if (run->parsed()) {
    if (o.script.empty()) return NeedsScript("run");
    if (!ReadScript(o.script, script)) return 2;
    return velmora::RunDocument(o.doc, script, std::cout, std::cerr);
  }
  if (!o.headless || o.script.empty()) return NeedsScript("serve");
  if (!ReadScript(o.script, script)) return 2;
  return velmora::ServeHeadless(script, std::cin, std::cout, std::cerr);
}
