// velmora-label: the label host's command line.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "label/TemplateReader.h"
#include "platform/ProgramDirectory.h"
#include "symbol/Analysis.h"

namespace {

constexpr const char* kVersion = VELMORA_VERSION;

// Exit statuses: 0 GS1 accepts the data, 1 it has findings, 2 the input could not be read.
constexpr int kFindings = 1;
constexpr int kBadInput = 2;

struct CheckOptions {
  std::string templatePath;
  std::string elements;
  std::string elementsFile;
  std::vector<std::string> sets;
  std::string dataDir;
};

velmora::symbol::VariableValues ParseSets(const std::vector<std::string>& sets) {
  velmora::symbol::VariableValues values;
  for (const std::string& set : sets) {
    const auto eq = set.find('=');
    if (eq == std::string::npos || eq == 0) throw std::runtime_error("--set " + set + ": expected NAME=VALUE");
    values[set.substr(0, eq)] = set.substr(eq + 1);
  }
  return values;
}

int Report(const velmora::symbol::Analysis& analysis) {
  std::cout << "elements: " << velmora::symbol::HumanReadable(analysis.elements) << '\n';
  for (const auto& finding : analysis.findings) std::cout << velmora::symbol::FindingText(finding) << '\n';
  return analysis.Valid() ? 0 : kFindings;
}

// One element string a line; each finding is printed with its line number.
int CheckFile(const std::string& path, const velmora::symbol::Gs1Data& gs1) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error(path + ": cannot read the element strings");
  std::string out;
  int lines = 0;
  int rejected = 0;
  for (std::string line; std::getline(in, line);) {
    ++lines;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const std::string where = path + " line " + std::to_string(lines) + ": ";
    try {
      const auto analysis = velmora::symbol::AnalyseElementString(line, gs1);
      for (const auto& finding : analysis.findings) out += where + velmora::symbol::FindingText(finding) + '\n';
      rejected += analysis.Valid() ? 0 : 1;
    } catch (const velmora::symbol::ElementError& e) {
      out += where + e.what() + '\n';
      ++rejected;
    }
  }
  std::cout << out << lines << " lines, " << rejected << " with findings\n";
  return rejected == 0 ? 0 : kFindings;
}

int Check(const CheckOptions& o) {
  try {
    if (!o.dataDir.empty()) velmora::SetProgramDirectoryOverride(std::filesystem::absolute(o.dataDir).string());
    const auto gs1 = velmora::symbol::LoadGs1Data(velmora::ProgramDirectory());
    if (!o.elementsFile.empty()) return CheckFile(o.elementsFile, gs1);
    if (!o.elements.empty()) return Report(velmora::symbol::AnalyseElementString(o.elements, gs1));
    const auto label = velmora::label::ReadLabelTemplate(o.templatePath);
    std::string data;
    try {
      data = label.barcode.Evaluate(label.ValuesWith(ParseSets(o.sets)));
    } catch (const velmora::symbol::FormulaError& e) {
      throw std::runtime_error(o.templatePath + ": " + label.barcode.where + ": " + e.what());
    }
    std::cout << "data: " << data << '\n';
    return Report(velmora::symbol::AnalyseBarcodeData(data, gs1));
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "velmora-label: " << e.what() << std::endl;
    return kBadInput;
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"GS1-128 label host: checks, draws and scans the labels of a 128.ufo template.", "velmora-label"};
  app.set_version_flag("--version", std::string("velmora-label ") + kVersion);
  app.require_subcommand(1);
  CheckOptions check;
  CLI::App* checkCommand = app.add_subcommand(
      "check", "evaluate a template's barcode formula (or an element string) and check its data against GS1's rules");
  checkCommand->add_option("template", check.templatePath, "the label template (128.ufo)");
  checkCommand->add_option("--set", check.sets, "a variable's value, NAME=VALUE (repeatable)");
  checkCommand->add_option("--elements", check.elements, "check this element string, (01)...(10)..., instead");
  checkCommand->add_option("--elements-file", check.elementsFile, "check every element string of FILE, one a line");
  checkCommand->add_option("--data-dir", check.dataDir, "the data files (ID128.inf, gs1-syntax-dictionary.txt)");
  checkCommand->callback([&] {
    const int given = !check.templatePath.empty() + !check.elements.empty() + !check.elementsFile.empty();
    if (given != 1) throw CLI::ValidationError("check", "give one of TEMPLATE, --elements or --elements-file");
  });
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return Check(check);
}
