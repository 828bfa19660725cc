#include "LabelCommandLine.h"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <string_view>

#include "LabelOptions.h"
#include "UsageErrors.h"
#include "commands/LabelCommands.h"
#include "commands/PrintCommand.h"
#include "commands/StockWords.h"
#include "print/Destination.h"

namespace velmora::app {
namespace {

constexpr const char* kSamplesHelp =
    "a variable without a value takes the template's sample (said on standard error); without it, that is an error";
constexpr const char* kIgnoreHelp = "a column of --values that no formula reads, left out on purpose (repeatable)";
constexpr const char* kTimeoutHelp =
    "seconds the printer may make no progress (connecting, taking data, answering, moving the job on) before the "
    "run stops and says what it took (default 30)";

int BadInput(const std::string& why) {
  std::cerr << "velmora-label: " << why << std::endl;
  return kStatusBadInput;
}

// The labels' format from --format, else --out's extension; false, said, when neither names one.
bool ReadFormat(const std::string& format, label::RenderOptions& o) {
  try {
    o.format = commands::FormatFor(format, o.out);
    return true;
  } catch (const std::runtime_error& e) {
    BadInput(e.what());
    return false;
  }
}

CommandRun DeclareCheck(CLI::App& c, [[maybe_unused]] const OfferedOptions& offered) {
  auto check = std::make_shared<commands::CheckRequest>();
  c.add_option("template", check->templatePath, "the label template (128.ufo)");
  c.add_option("--set", check->sets, "a variable's value, NAME=VALUE (repeatable)");
  CLI::Option* elements =
      c.add_option("--elements", check->elements,
                   "check this element string instead: (01)...(10)... ('\\(' for a '(' of data), [01]..., or "
                   "]C1/]d2/]Q3 (or FNC1) then the AIs with GS, ^ or {FNC1} between fields");
  c.add_option("--elements-file", check->elementsFile, "check every element string of FILE, one a line");
  c.add_option("--dl", check->digitalLink,
               "read a GS1 Digital Link URI (https://id.gs1.org/01/.../10/...?17=...) and check its elements");
  c.add_flag("--digital-link", check->linkWanted, "print the elements' GS1 Digital Link URI too");
  CLI::Option* domain = c.add_option("--dl-domain", check->linkDomain, "the URI's domain (implies --digital-link)")
                            ->default_str(symbol::kDefaultDigitalLinkDomain)
                            ->check(DomainValidator());
  c.add_flag("--samples", check->samples, kSamplesHelp);
  c.callback([check, elements, domain] {
    check->elementsGiven = elements->count() > 0;
    check->linkWanted = check->linkWanted || domain->count() > 0;
    const int given = !check->templatePath.empty() + check->elementsGiven + !check->elementsFile.empty() +
                      !check->digitalLink.empty();
    if (given != 1) throw CLI::ValidationError("check", "give one of TEMPLATE, --elements, --elements-file or --dl");
  });
  return [check](const std::string& data) { return commands::RunCheck(*check, data, std::cout, std::cerr); };
}

// The options render and print share: the template (or the element strings
// drawn without one) and where its values come from.
void AddValueOptions(CLI::App& c, commands::RenderRequest& r, const char* setHelp) {
  c.add_option("template", r.templatePath, "the label template (128.ufo)");
  CLI::Option* elements =
      c.add_option("--elements", r.elements,
                   "draw this element string instead of a template (every form check --elements reads), one label");
  c.add_option("--elements-column", r.elementsColumn,
               "draw the element string of this column of --values on each label, instead of a template");
  c.add_option("--set", r.sets, setHelp);
  c.add_option("--values", r.valuesFile, "a CSV file: a header of variable names, a row per label");
  c.add_option("--ignore-column", r.ignoredColumns, kIgnoreHelp);
  c.add_flag("--samples", r.samples, kSamplesHelp);
  c.callback([&r, elements, &c] {
    r.elementsGiven = elements->count() > 0;
    if (!r.templatePath.empty() + r.elementsGiven + !r.elementsColumn.empty() != 1) {
      throw CLI::ValidationError(c.get_name(), "give one of TEMPLATE, --elements or --elements-column");
    }
    if (!r.elementsColumn.empty() && r.valuesFile.empty()) {
      throw CLI::ValidationError("--elements-column", "names a column of --values FILE.csv; give it");
    }
    if (r.elementsGiven && !r.valuesFile.empty()) {
      throw CLI::ValidationError("--elements", "draws one label; a CSV's labels take --elements-column NAME");
    }
  });
}

CommandRun DeclareRender(CLI::App& c, [[maybe_unused]] const OfferedOptions& offered) {
  struct State {
    commands::RenderRequest request;
    std::string format, delimiter;
    commands::SheetWords sheet;
    commands::StockWords stock;
  };
  auto s = std::make_shared<State>();
  AddValueOptions(c, s->request, "a variable's value for every label, NAME=VALUE (repeatable)");
  AddRenderOptions(&c, s->request.options, s->format, offered);
  AddStockOptions(&c, s->request.options, s->stock, offered);
  AddSheetOptions(&c, s->sheet, offered);
  c.add_option("--delimiter", s->delimiter,
               "what separates the CSV's fields: ',', ';' or 'tab' (default: found from the header line)")
      ->check(CLI::IsMember({",", ";", "tab"}));
  return [s](const std::string& data) {
    commands::RenderRequest& r = s->request;
    if (!ReadFormat(s->format, r.options)) return kStatusBadInput;
    if (const std::string bad =
            commands::ReadSheet(s->sheet, r.options.sheet) + commands::ReadStock(s->stock, r.options);
        !bad.empty()) {
      return BadInput(bad);
    }
    if (r.options.sheet.columns > 0 && !label::Pages(r.options.format)) {
      return BadInput("--sheet places labels on the pages of a PDF; give --out FILE.pdf");
    }
    if (r.options.sheet.columns > 0 && r.options.rotate != 0) {
      return BadInput("--rotate turns labels on pages of their own; a sheet places them as they are");
    }
    r.delimiter = s->delimiter == "tab" ? '\t' : s->delimiter.empty() ? '\0' : s->delimiter[0];
    r.progressBar = ::isatty(2) != 0;
    return commands::RunRender(r, data, std::cout, std::cerr);
  };
}

CommandRun DeclarePrint(CLI::App& c, [[maybe_unused]] const OfferedOptions& offered) {
  struct State {
    commands::PrintRequest request;
    commands::StockWords stock;
    commands::SheetWords sheet;
  };
  auto s = std::make_shared<State>();
  commands::PrintRequest& p = s->request;
  AddValueOptions(c, p.render, "a variable's value for every label, NAME=VALUE (repeatable)");
  c.add_option("--printer", p.printer, print::DestinationHelp())->required();
  c.add_option("--timeout", p.timeoutSeconds, kTimeoutHelp)->check(CLI::Range(1, 86400));
  c.add_flag("--wait", p.waitForPrinter, "a label printer: end only once its buffer is empty (asked with ~HS)");
  c.add_option("--from-row", p.fromRow,
               "start at this row of the values (from 1): a run that stopped short says where to go on")
      ->check(CLI::Range(1, 1 << 30));
  AddStockOptions(&c, p.render.options, s->stock, offered);
  c.add_option("--print-width", p.render.options.printWidth,
               "the width the printer prints across, in mm (104 for a 4-inch head): a wider label is refused")
      ->check(CLI::Range(10.0, 1000.0));
  c.add_option("--dpi", p.render.options.dpi, "the printer's resolution (default 203)")
      ->check(CLI::IsMember({203, 300, 600}));
  c.add_option("--copies", p.render.options.copies, "copies of each label")->check(CLI::Range(1, 99999));
  c.add_flag("--verify", p.render.options.verify, "scan every label's printed image back");
  AddSymbolOptions(&c, p.render.options, offered);
  AddSheetOptions(&c, s->sheet, offered);
  return [s](const std::string& data) {
    commands::PrintRequest& r = s->request;
    if (const std::string bad =
            commands::ReadSheet(s->sheet, r.render.options.sheet) + commands::ReadStock(s->stock, r.render.options);
        !bad.empty()) {
      return BadInput(bad);
    }
    r.render.progressBar = ::isatty(2) != 0;
    return commands::RunPrint(r, data, std::cout, std::cerr);
  };
}

CommandRun DeclarePrinters(CLI::App& c, [[maybe_unused]] const OfferedOptions& offered) {
  auto timeout = std::make_shared<double>(30);
  c.add_option("--timeout", *timeout, kTimeoutHelp)->check(CLI::Range(1, 86400));
  return [timeout](const std::string&) { return commands::RunPrinters(*timeout, std::cout, std::cerr); };
}

CommandRun DeclareDesign(CLI::App& c, [[maybe_unused]] const OfferedOptions& offered) {
  struct State {
    commands::DesignRequest request;
    std::string format, script;
    bool headless = false;
    int timeout = -1;
  };
  auto s = std::make_shared<State>();
  commands::DesignRequest& d = s->request;
  c.add_option("--doc", d.documentPath, "the label document (JSON)")->required();
  c.add_option("--host-dir", d.hostDir, "the host directory (default: a temporary one)");
  c.add_flag("--headless", s->headless, "no window: the action script plays the user")
      ->needs(c.add_option("--script", s->script, "the action script for --headless")->check(CLI::ExistingFile));
  AddRenderOptions(&c, d.options, s->format, offered);
  c.add_flag("--samples", d.samples, kSamplesHelp);
  c.add_option("--keep-template", d.keepTemplate, "keep a copy of the designed template at PATH");
  c.add_option("--timeout", s->timeout,
               "seconds to wait for each message of the wizard, and (10 at most) for it to end (default: 60 with "
               "--headless, none with the window); 0 waits as long as it takes")
      ->check(CLI::Range(0, 86400));
  return [s](const std::string& data) {
    commands::DesignRequest& r = s->request;
    if (!ReadFormat(s->format, r.options)) return kStatusBadInput;
    if (const std::string bad = commands::PrepareDesign(r, {s->headless, s->script, s->timeout}, data); !bad.empty()) {
      return BadInput(bad);
    }
    return commands::RunDesign(r, data, std::cout, std::cerr);
  };
}

constexpr LabelCommand kCommands[] = {
    {"check", "evaluate a template's barcode formula (or element strings) and check the data against GS1's rules",
     DeclareCheck},
    {"render", "draw one label, or one per row of a CSV file", DeclareRender},
    {"print", "print one label, or one per row of a CSV file, to a label printer", DeclarePrint},
    {"printers", "list this machine's CUPS destinations with their state, formats and default media", DeclarePrinters},
    {"design", "run the wizard for a label document, then draw the label it designed", DeclareDesign},
};

}  // namespace

std::span<const LabelCommand> LabelCommands() { return kCommands; }

const LabelCommand* NamedCommand(std::span<char* const> args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--data-dir") ++i;  // its value, whatever it spells
    for (const LabelCommand& c : kCommands) {
      if (arg == c.name) return &c;
    }
  }
  return nullptr;
}

}  // namespace velmora::app
