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

#include "LabelOptions.h"
#include "UsageErrors.h"
#include "commands/LabelCommands.h"
#include "commands/PrintCommand.h"
#include "commands/StockWords.h"
#include "platform/ProgramDirectory.h"
#include "print/Destination.h"

namespace {

constexpr const char* kVersion = VELMORA_VERSION;
constexpr const char* kSamplesHelp =
    "a variable without a value takes the template's sample (said on standard error); without it, that is an error";

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

  velmora::commands::CheckRequest check;
  CLI::App* checkCommand = app.add_subcommand(
      "check", "evaluate a template's barcode formula (or element strings) and check the data against GS1's rules");
  checkCommand->add_option("template", check.templatePath, "the label template (128.ufo)");
  checkCommand->add_option("--set", check.sets, "a variable's value, NAME=VALUE (repeatable)");
  CLI::Option* elementsOption = checkCommand->add_option(
      "--elements", check.elements,
      "check this element string instead: (01)...(10)... ('\\(' for a '(' of data), [01]..., or "
      "]C1/]d2/]Q3 (or FNC1) then the AIs with GS, ^ or {FNC1} between fields");
  checkCommand->add_option("--elements-file", check.elementsFile, "check every element string of FILE, one a line");
  checkCommand->add_option(
      "--dl", check.digitalLink,
      "read a GS1 Digital Link URI (https://id.gs1.org/01/.../10/...?17=...) and check its elements");
  checkCommand->add_flag("--digital-link", check.linkWanted, "print the elements' GS1 Digital Link URI too");
  CLI::Option* domainOption =
      checkCommand->add_option("--dl-domain", check.linkDomain, "the URI's domain (implies --digital-link)")
          ->default_str(velmora::symbol::kDefaultDigitalLinkDomain)
          ->check(velmora::app::DomainValidator());
  checkCommand->add_flag("--samples", check.samples, kSamplesHelp);
  checkCommand->callback([&] {
    check.elementsGiven = elementsOption->count() > 0;
    check.linkWanted = check.linkWanted || domainOption->count() > 0;
    const int given =
        !check.templatePath.empty() + check.elementsGiven + !check.elementsFile.empty() + !check.digitalLink.empty();
    if (given != 1) throw CLI::ValidationError("check", "give one of TEMPLATE, --elements, --elements-file or --dl");
  });

  velmora::commands::RenderRequest render;
  std::string renderFormat;
  velmora::commands::SheetWords renderSheet;
  velmora::commands::SheetWords printSheet;
  CLI::App* renderCommand = app.add_subcommand("render", "draw one label, or one per row of a CSV file");
  renderCommand->add_option("template", render.templatePath, "the label template (128.ufo)")->required();
  renderCommand->add_option("--set", render.sets, "a variable's value for every label, NAME=VALUE (repeatable)");
  renderCommand->add_option("--values", render.valuesFile, "a CSV file: a header of variable names, a row per label");
  const char* ignoreHelp = "a column of --values that no formula reads, left out on purpose (repeatable)";
  renderCommand->add_option("--ignore-column", render.ignoredColumns, ignoreHelp);
  velmora::app::AddRenderOptions(renderCommand, render.options, renderFormat);
  renderCommand->add_flag("--samples", render.samples, kSamplesHelp);
  velmora::app::AddSheetOptions(renderCommand, renderSheet);
  std::string delimiter;
  renderCommand
      ->add_option("--delimiter", delimiter,
                   "what separates the CSV's fields: ',', ';' or 'tab' (default: found from the header line)")
      ->check(CLI::IsMember({",", ";", "tab"}));

  velmora::commands::PrintRequest print;
  std::string media;
  CLI::App* printCommand =
      app.add_subcommand("print", "print one label, or one per row of a CSV file, to a label printer");
  printCommand->add_option("template", print.render.templatePath, "the label template (128.ufo)")->required();
  printCommand->add_option("--set", print.render.sets, "a variable's value for every label, NAME=VALUE (repeatable)");
  printCommand->add_option("--values", print.render.valuesFile,
                           "a CSV file: a header of variable names, a row per label");
  printCommand->add_option("--ignore-column", print.render.ignoredColumns, ignoreHelp);
  printCommand->add_flag("--samples", print.render.samples, kSamplesHelp);
  printCommand->add_option("--printer", print.printer, velmora::print::DestinationHelp())->required();
  const std::string timeoutHelp =
      "seconds the printer may make no progress (connecting, taking data, answering, moving the job on) before the "
      "run stops and says what it took (default 30)";
  printCommand->add_option("--timeout", print.timeoutSeconds, timeoutHelp)->check(CLI::Range(1, 86400));
  printCommand->add_flag("--wait", print.waitForPrinter,
                         "a label printer: end only once its buffer is empty (asked with ~HS)");
  printCommand
      ->add_option("--from-row", print.fromRow,
                   "start at this row of the values (from 1): a run that stopped short says where to go on")
      ->check(CLI::Range(1, 1 << 30));
  printCommand->add_option("--media", media, "the label stock, WxHmm (100x50mm): every label that size, centred");
  printCommand->add_option("--dpi", print.render.options.dpi, "the printer's resolution (default 203)")
      ->check(CLI::IsMember({203, 300, 600}));
  printCommand->add_option("--copies", print.render.options.copies, "copies of each label")
      ->check(CLI::Range(1, 99999));
  printCommand->add_flag("--verify", print.render.options.verify, "scan every label's printed image back");
  velmora::app::AddSymbolOptions(printCommand, print.render.options);
  velmora::app::AddSheetOptions(printCommand, printSheet);

  CLI::App* printersCommand = app.add_subcommand(
      "printers", "list this machine's CUPS destinations with their state, formats and default media");
  double printersTimeout = 30;
  printersCommand->add_option("--timeout", printersTimeout, timeoutHelp)->check(CLI::Range(1, 86400));

  velmora::commands::DesignRequest design;
  std::string designFormat;
  std::string script;
  bool headless = false;
  CLI::App* designCommand =
      app.add_subcommand("design", "run the wizard for a label document, then draw the label it designed");
  designCommand->add_option("--doc", design.documentPath, "the label document (JSON)")->required();
  designCommand->add_option("--host-dir", design.hostDir, "the host directory (default: a temporary one)");
  designCommand->add_flag("--headless", headless, "no window: the action script plays the user")
      ->needs(
          designCommand->add_option("--script", script, "the action script for --headless")->check(CLI::ExistingFile));
  velmora::app::AddRenderOptions(designCommand, design.options, designFormat);
  designCommand->add_flag("--samples", design.samples, kSamplesHelp);
  designCommand->add_option("--keep-template", design.keepTemplate, "keep a copy of the designed template at PATH");
  int timeout = -1;
  designCommand
      ->add_option("--timeout", timeout,
                   "seconds to wait for each message of the wizard, and (10 at most) for it to end (default: 60 with "
                   "--headless, none with the window); 0 waits as long as it takes")
      ->check(CLI::Range(0, 86400));

  std::vector<std::string> args(argv + 1, argv + argc);
  std::reverse(args.begin(), args.end());  // CLI11 takes them in reverse
  if (const int status = velmora::app::ParseOrExplain(app, args); status >= 0) return status;
  if (!dataDir.empty()) velmora::SetProgramDirectoryOverride(std::filesystem::absolute(dataDir).string());
  const std::string data = velmora::ProgramDirectory();
  if (checkCommand->parsed()) return velmora::commands::RunCheck(check, data, std::cout, std::cerr);
  try {
    render.options.format = velmora::commands::FormatFor(renderFormat, render.options.out);
    design.options.format = velmora::commands::FormatFor(designFormat, design.options.out);
  } catch (const std::runtime_error& e) {
    std::cerr << "velmora-label: " << e.what() << std::endl;
    return velmora::kStatusBadInput;
  }
  if (printCommand->parsed()) {
    if (const std::string bad = velmora::commands::ReadSheet(printSheet, print.render.options.sheet) +
                                velmora::commands::ReadMedia(media, print.render.options);
        !bad.empty()) {
      std::cerr << "velmora-label: " << bad << std::endl;
      return velmora::kStatusBadInput;
    }
    print.render.progressBar = ::isatty(2) != 0;
    return velmora::commands::RunPrint(print, data, std::cout, std::cerr);
  }
  if (printersCommand->parsed()) return velmora::commands::RunPrinters(printersTimeout, std::cout, std::cerr);
  if (renderCommand->parsed()) {
    if (const std::string bad = velmora::commands::ReadSheet(renderSheet, render.options.sheet); !bad.empty()) {
      std::cerr << "velmora-label: " << bad << std::endl;
      return velmora::kStatusBadInput;
    }
    if (render.options.sheet.columns > 0 && render.options.format != velmora::label::OutputFormat::Pdf) {
      std::cerr << "velmora-label: --sheet places labels on the pages of a PDF; give --out FILE.pdf" << std::endl;
      return velmora::kStatusBadInput;
    }
    render.delimiter = delimiter == "tab" ? '\t' : delimiter.empty() ? '\0' : delimiter[0];
    render.progressBar = ::isatty(2) != 0;
    return velmora::commands::RunRender(render, data, std::cout, std::cerr);
  }
  if (const std::string bad = velmora::commands::PrepareDesign(design, {headless, script, timeout}, data);
      !bad.empty()) {
    std::cerr << "velmora-label: " << bad << std::endl;
    return velmora::kStatusBadInput;
  }
  return velmora::commands::RunDesign(design, data, std::cout, std::cerr);
}
