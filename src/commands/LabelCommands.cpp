#include "commands/LabelCommands.h"

#include "symbol/Gs1_128Limits.h"

#include <filesystem>
#include <fstream>
#include <ostream>

#include "commands/CommandSupport.h"
#include "label/ValueChecks.h"
#include "label/VariableNames.h"
#include "symbol/Analysis.h"

namespace velmora::commands {

using namespace label;  // the label side, which the commands drive
namespace {

namespace fs = std::filesystem;

// The elements and their findings; with `r.linkWanted` their Digital Link URI
// too, or why they have none (a finding of its own).
// `aside`: a URI's parameters that are no AI, each said.
int Report(const symbol::Analysis& analysis, const CheckRequest& r, const symbol::Gs1Data& gs1, std::ostream& out,
           const std::vector<std::string>& aside = {}) {
  out << "elements: " << symbol::Printable(symbol::HumanReadable(analysis.elements)) << '\n';
  for (const std::string& parameter : aside) out << "kept aside: " << parameter << '\n';
  bool linked = true;
  if (r.linkWanted) {
    try {
      const std::string uri = symbol::MakeDigitalLink(analysis.elements, gs1.dictionary, r.linkDomain);
      // a URI of elements GS1 refuses would pass them on as good
      out << "digital link: " << (analysis.Valid() ? uri : "none: the elements have findings") << '\n';
    } catch (const symbol::DigitalLinkError& e) {
      out << "digital link: none: " << e.what() << '\n';
      linked = false;
    }
  }
  for (const auto& finding : analysis.findings) out << symbol::FindingText(finding) << '\n';
  return analysis.Valid() && linked ? 0 : kStatusFindings;
}

// The analysis with GS1-128's own limits: the characters always, the length
// when a module is known (a template's bars).
symbol::Analysis WithLimits(symbol::Analysis a, const symbol::Gs1Data& gs1, double module = 0) {
  const symbol::EncodedSymbol encoded = module > 0 ? symbol::EncodeGs1_128(a.elements) : symbol::EncodedSymbol{};
  const symbol::Findings limits =
      symbol::Gs1_128LimitFindings(a.elements, gs1.dictionary, module > 0 && encoded.Ok() ? &encoded : nullptr, module);
  a.findings.insert(a.findings.end(), limits.begin(), limits.end());
  return a;
}

int CheckLink(const CheckRequest& r, const symbol::Gs1Data& gs1, std::ostream& out) {
  std::vector<std::string> aside;
  symbol::Analysis analysis;
  try {
    analysis = symbol::AnalyseDigitalLink(r.digitalLink, gs1, &aside);
  } catch (const symbol::DigitalLinkError& e) {
    throw std::runtime_error("--dl column " + std::to_string(e.Column()) + ": " + e.what());
  }
  return Report(analysis, r, gs1, out, aside);
}

// One element string a line; each finding is printed with its line number.
int CheckFile(const std::string& path, const symbol::Gs1Data& gs1, std::ostream& out) {
  if (fs::is_directory(path)) throw std::runtime_error(path + ": is a folder, not a file of element strings");
  std::ifstream in(path);
  if (!in) throw std::runtime_error(path + ": cannot read the element strings");
  std::string text;
  int lines = 0;
  int rejected = 0;
  for (std::string line; std::getline(in, line);) {
    ++lines;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const std::string where = path + " line " + std::to_string(lines) + ": ";
    try {
      const auto analysis = WithLimits(symbol::AnalyseElementString(line, gs1), gs1);
      for (const auto& finding : analysis.findings) text += where + symbol::FindingText(finding) + '\n';
      rejected += analysis.Valid() ? 0 : 1;
    } catch (const symbol::ElementError& e) {
      text += where + e.what() + '\n';
      ++rejected;
    }
  }
  out << text << lines << " lines, " << rejected << " with findings\n";
  return rejected == 0 ? 0 : kStatusFindings;
}

}  // namespace

OutputFormat FormatFor(const std::string& format, const std::string& out) {
  const std::string extension = fs::path(out).extension().string();
  const std::string name = !format.empty() ? format : extension.empty() ? "png" : extension.substr(1);
  if (const std::optional<OutputFormat> found = FormatNamed(name)) return *found;
  throw std::runtime_error(out + ": labels are written as " + FormatList() + ", not as " + name +
                           "; give --format or another name");
}

int RunCheck(const CheckRequest& r, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    // The catalogue only splits a template's data: element strings and links are read without it.
    const bool ofTemplate = r.elementsFile.empty() && !r.elementsGiven && r.digitalLink.empty();
    const auto gs1 = ofTemplate ? symbol::LoadGs1Data(dataDir) : symbol::Gs1Data{};
    if (!r.elementsFile.empty()) return CheckFile(r.elementsFile, gs1, out);
    if (r.elementsGiven) {
      if (r.elements.empty()) throw std::runtime_error("--elements: the element string is empty");
      return Report(WithLimits(symbol::AnalyseElementString(r.elements, gs1), gs1), r, gs1, out);
    }
    if (!r.digitalLink.empty()) return CheckLink(r, gs1, out);
    const LabelTemplate t = ReadCheckedTemplate(r.templatePath);
    const std::vector<std::string> read = ReadVariables(t);
    const symbol::VariableValues sets = ParseSets(r.sets, read);
    RequireValues(
        t, read, [&](const std::string& name) { return sets.contains(name); }, r.samples,
        "give --set NAME=VALUE for each, or --samples", err);
    std::string data;
    try {
      data = t.barcode.Evaluate(t.ValuesWith(sets));
    } catch (const symbol::FormulaError& e) {
      throw std::runtime_error(r.templatePath + ": " + t.barcode.where + ": " + e.what());
    }
    out << "data: " << symbol::Printable(data) << '\n';
    // A value the template would pad, cut or read as a control is the cause; what GS1 would then say of the data
    // follows from it and is left unsaid.
    const std::vector<std::string> problems = ValueProblems(sets, t.barcode.Padded());
    for (const std::string& problem : problems) out << problem << '\n';
    return problems.empty()
               ? Report(WithLimits(symbol::AnalyseBarcodeData(data, gs1), gs1, t.geometry.moduleWidth), r, gs1, out)
               : kStatusFindings;
  });
}

int RunRender(const RenderRequest& r, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    const RunInput in = ReadRunInput(r, dataDir);
    std::unique_ptr<RowSource> rows;
    try {
      rows = ValueRows(in.label, in.request, err);
    } catch (const NoRows& e) {
      err << "velmora-label: " << e.what() << std::endl;  // nothing to draw: no label, not bad input
      return kStatusFindings;
    }
    return Render(in.label, in.gs1, *rows, r.options, r.progressBar, out, err);
  });
}

}  // namespace velmora::commands
