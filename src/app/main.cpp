// velmora-wizard: the GS1-128 wizard's command line.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "UsageErrors.h"
#include "automation/Sessions.h"
#include "platform/ExitStatus.h"
#include "wizard/HeadlessView.h"
#ifdef VELMORA_WINDOW_PROGRAM
#include "wizard/qt/QtWindow.h"
#else
#include "WindowProgram.h"
#endif
#include "platform/CaseFold.h"
#include "platform/CommandLine.h"
#include "platform/ProgramDirectory.h"
#include "platform/Utf8Text.h"
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

// The options whose next argument is their value, not a word of the command line.
bool TakesValue(const std::string& arg) {
  return arg == "--doc" || arg == "--script" || arg == "--host-dir" || arg == "--data-dir";
}

// The arguments for the parser. The word DEBUG, in any case and also inside a
// longer word (/DEBUG, --debug), switches debug mode on wherever it stands; the
// wizard reads it from the whole command line, so the parser never sees it,
// except where it is an option's value (a script named my-debug.script).
std::vector<std::string> ParserArguments(int argc, char** argv) {
  std::vector<std::string> kept;
  bool isValue = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool debugWord = velmora::UpperCase(arg).find("DEBUG") != std::string::npos;
    const bool inlineValue =
        arg.starts_with("--") && arg.find('=') != std::string::npos && TakesValue(arg.substr(0, arg.find('=')));
    if (!debugWord || isValue || inlineValue) kept.push_back(arg);
    isValue = !isValue && TakesValue(arg);
  }
  return {kept.rbegin(), kept.rend()};  // CLI11 takes them in reverse
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

bool DisplayAvailable() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// Runs `session` in the real window, which needs a display and the window
// program (built from this same file, with Qt).
template <class Session>
int InWindow(int argc, char** argv, Session session) {
  if (!DisplayAvailable()) {
    std::cerr << "velmora-wizard: no display to open the window on (DISPLAY is not set); "
                 "run with --script FILE (and --headless for serve) to play the user from a script"
              << std::endl;
    return velmora::kStatusNoDisplay;
  }
#ifdef VELMORA_WINDOW_PROGRAM
  return velmora::RunInQtWindow(argc, argv, session);
#else
  (void)argc;
  (void)session;
  return velmora::app::StartWindowProgram(argv);
#endif
}

#ifndef VELMORA_WINDOW_PROGRAM
// A command line that plainly asks for the window: run without a script, serve
// without --headless, and no --help or --version. The window program parses it
// the same way, so a wrong guess only moves where the same answer comes from.
bool PlainlyAsksForWindow(int argc, char** argv) {
  std::string_view command;
  bool script = false;
  bool headless = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (command.empty() && (arg == "run" || arg == "serve")) command = arg;
    script = script || arg == "--script" || arg.starts_with("--script=");
    headless = headless || arg == "--headless";
    if (arg == "--help" || arg == "-h" || arg == "--version") return false;
  }
  return (command == "run" && !script) || (command == "serve" && !headless);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifndef VELMORA_WINDOW_PROGRAM
  // Handed over before anything else is set up: a window's start pays for no
  // more of this program than its loading.
  if (DisplayAvailable() && PlainlyAsksForWindow(argc, argv)) return velmora::app::StartWindowProgram(argv);
#endif
  std::signal(SIGPIPE, SIG_IGN);  // a host that closes its pipe ends the server cleanly
  velmora::SetCommandLine(argc, argv);

  CLI::App app{
      "GS1-128 barcode wizard: builds a Code 128 data formula and a readable-text formula from GS1 "
      "Application Identifiers and writes the label template 128.ufo for the host.\n"
      "The word DEBUG anywhere on the command line switches debug mode on.",
      "velmora-wizard"};
  app.set_version_flag("--version",
                       std::string("velmora-wizard ") + kVersion + "\nhost class id " + velmora::HostClassId());
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
  common(serve);
  serve->add_flag("--headless", o.headless, "no window: the action script plays the user")->needs("--script");

  if (const int status = velmora::app::ParseOrExplain(app, ParserArguments(argc, argv)); status >= 0) return status;

  // The host is handed an absolute template path, whatever directory it runs in,
  // as JSON text: a folder name that is not UTF-8 could not reach it unchanged.
  const std::string hostDir = o.hostDir.empty() ? o.hostDir : std::filesystem::absolute(o.hostDir).string();
  if (!velmora::IsValidUtf8(hostDir)) {
    std::cerr << "velmora-wizard: --host-dir: the folder's name is not valid UTF-8, so the template's path could "
                 "not be handed to the host unchanged; use a folder whose name is UTF-8"
              << std::endl;
    return velmora::kStatusUsage;
  }
  velmora::SetHostDirectoryOverride(hostDir);
  velmora::SetProgramDirectoryOverride(o.dataDir.empty() ? o.dataDir : std::filesystem::absolute(o.dataDir).string());
  std::string script;
  if (!o.script.empty() && !ReadScript(o.script, script)) return velmora::kStatusUsage;
  if (run->parsed()) {
    const auto session = [&o](velmora::WindowView& view) {
      return velmora::RunDocument(o.doc, view, std::cout, std::cerr);
    };
    if (o.script.empty()) return InWindow(argc, argv, session);
    velmora::HeadlessView view(script, {velmora::History(), velmora::Globals()}, std::cout, std::cerr);
    return session(view);
  }
  const auto session = [](velmora::WindowView& view) { return velmora::Serve(view, std::cin, std::cout, std::cerr); };
  if (!o.headless) return InWindow(argc, argv, session);
  // Standard output carries the protocol: the script's dumps go to standard error.
  velmora::HeadlessView view(script, {velmora::History(), velmora::Globals()}, std::cerr, std::cerr);
  return session(view);
}
