#include "LabelOptions.h"

#include <cstdio>

#include <vector>

#include "symbol/DigitalLink.h"
#include "symbol/SymbolKinds.h"

namespace velmora::app {

CLI::Validator DomainValidator() {
  return CLI::Validator(
      [](const std::string& d) -> std::string {
        const bool host = symbol::LooksLikeUri(d) && d.size() > d.find("://") + 3;
        if (host && d.find_first_of("?#& \t") == std::string::npos) return "";
        return "expected https://DOMAIN[/PATH], such as https://example.com";
      },
      "URI");
}

namespace {

std::vector<std::string> SymbolNames() {
  std::vector<std::string> names;
  for (const auto& row : symbol::kSymbolKinds) names.emplace_back(row.name);
  return names;
}

}  // namespace

// --symbol, --module and --dl-domain: what carries the label's elements, how large.
namespace {

// A size in millimetres from `least` to `most`, "0.5mm" or "0.5"; stored in `mm`.
void AddMillimetres(CLI::App* command, const char* name, double& mm, double least, double most, double example,
                    const char* help) {
  char expected[96];
  std::snprintf(expected, sizeof expected, "expected a size in mm from %g to %g, such as %gmm", least, most, example);
  command
      ->add_option_function<std::string>(
          name, [&mm](const std::string& size) { mm = std::stod(size); }, help)
      ->transform(CLI::Validator(
          [least, most, said = std::string(expected)](std::string& size) -> std::string {
            if (size.ends_with("mm")) size.resize(size.size() - 2);
            std::size_t used = 0;
            try {
              const double value = std::stod(size, &used);
              if (used == size.size() && value >= least && value <= most) return "";
            } catch (...) {
            }
            return said;
          },
          "MM"));
}

}  // namespace

void AddSymbolOptions(CLI::App* command, label::RenderOptions& o, const OfferedOptions& offered) {
  if (!offered.Any({"--symbol", "--module", "--bar-height", "--text-size", "--no-text", "--rotate", "--dl-domain"})) {
    return;
  }
  command
      ->add_option_function<std::string>(
          "--symbol", [&o](const std::string& name) { o.symbol = *symbol::SymbolNamed(name); }, symbol::SymbolHelp())
      ->check(CLI::IsMember(SymbolNames()));
  AddMillimetres(command, "--module", o.module, 0.05, 10, 0.5,
                 "the module (X-dimension) in mm, such as 0.5mm (default: the template's bar width; 1.5 times it for "
                 "2D)");
  AddMillimetres(command, "--bar-height", o.barHeight, 1, 200, 32,
                 "the GS1-128 bars' height in mm (default: the template's); the text moves with them");
  AddMillimetres(command, "--text-size", o.textSize, 1, 50, 7, "the text's height in mm (default: the template's)");
  command->add_flag("--no-text", o.noText, "no human-readable text under the symbol");
  command->add_option("--rotate", o.rotate, "turn every label this many degrees clockwise: 0, 90, 180 or 270")
      ->check(CLI::Validator(
          [](const std::string& degrees) {
            return degrees == "0" || degrees == "90" || degrees == "180" || degrees == "270"
                       ? std::string()
                       : "expected 0, 90, 180 or 270 degrees";
          },
          "DEGREES"));
  command->add_option("--dl-domain", o.dlDomain, "the Digital Link URI's domain (default https://id.gs1.org)")
      ->check(DomainValidator());
}

void AddRenderOptions(CLI::App* command, label::RenderOptions& o, std::string& format, const OfferedOptions& offered) {
  command->add_option("--out", o.out, "the folder of the PNG or SVG files, or the PDF file")->required();
  std::vector<std::string> formats;
  for (const auto& row : label::kOutputFormats) formats.emplace_back(row.name);
  command->add_option("--format", format, label::FormatList() + " (default: from --out's extension, else png)")
      ->check(CLI::IsMember(formats));
  command->add_option("--dpi", o.dpi, "resolution of PNG, ZPL and PBM labels (default 203, as print)")
      ->check(CLI::Range(72, 2400));
  command->add_flag("--verify", o.verify, "scan every label back and compare it with its data");
  AddSymbolOptions(command, o, offered);
}

void AddSheetOptions(CLI::App* command, commands::SheetWords& w, const OfferedOptions& offered) {
  if (!offered.Any({"--sheet", "--grid", "--gap"})) return;
  command->add_option("--sheet", w.sheet, "sheets of label stock for PDF: A4, A5, Letter or WxHmm (with --grid)");
  command->add_option("--grid", w.grid, "labels a sheet, COLUMNSxROWS (3x8)");
  command->add_option("--gap", w.gap, "between the labels of a sheet, in mm (default 0)");
}

void AddStockOptions(CLI::App* command, label::RenderOptions& o, commands::StockWords& w,
                     const OfferedOptions& offered) {
  if (!offered.Any({"--media", "--layout", "--text", "--text-file"})) return;
  command->add_option("--media", w.media,
                      "the label stock, A6, A5, WxHin (4x6in) or WxHmm (100x50mm): every label that size, centred "
                      "(default: the content's size; A6 for --layout gs1-logistic)");
  std::vector<std::string> names;
  std::string help = "how the label is laid out:";
  for (const label::LayoutRow& row : label::kLayouts) {
    names.emplace_back(row.name);
    help += std::string(" ") + row.name + " (" + row.help + ")" + (&row == &label::kLayouts[0] ? ", the default;" : "");
  }
  command->add_option("--layout", w.layout, help)->check(CLI::IsMember(names));
  command->add_option("--text", o.freeText,
                      "a line of the logistics label's top section, such as FROM: ... (repeatable)");
  command->add_option("--text-file", w.textFile, "the logistics label's top section, a line of the file a line");
}

}  // namespace velmora::app
