#include "label/LabelCommands.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <set>

#include "label/CsvRows.h"
#include "label/LabelDocument.h"
#include "label/TemplateReader.h"
#include "label/ValueChecks.h"
#include "label/VariableNames.h"
#include "label/WizardHost.h"
#include "platform/FileAccess.h"
#include "symbol/Analysis.h"

namespace velmora::label {
namespace {

namespace fs = std::filesystem;

// A values file with a header and no row.
class NoRows : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The --set values; each must name a variable that a formula reads.
symbol::VariableValues ParseSets(const std::vector<std::string>& sets, const std::vector<std::string>& read) {
  symbol::VariableValues values;
  for (const std::string& set : sets) {
    const auto eq = set.find('=');
    if (eq == std::string::npos || eq == 0) throw std::runtime_error("--set " + set + ": expected NAME=VALUE");
    RefuseUnread("--set " + set.substr(0, eq), set.substr(0, eq), read);
    values[set.substr(0, eq)] = set.substr(eq + 1);
  }
  return values;
}

// The variables of `read` that `given` has no value for. Without --samples
// the first is an error (`how` says how to give one); with it, each takes the
// template's sample and says so on `err`.
void RequireValues(const LabelTemplate& t, const std::vector<std::string>& read,
                   const std::function<bool(const std::string&)>& given, bool samples, const std::string& how,
                   std::ostream& err) {
  const symbol::VariableValues sampled = t.ValuesWith({});
  for (const std::string& name : read) {
    if (given(name)) continue;
    if (!samples) throw std::runtime_error("no value for variable " + name + ", which " + ReaderOf(t, name) + " reads: " + how);
    const auto sample = sampled.find(name);
    err << "velmora-label: no value for variable " << name << ": the template's sample '"
        << (sample == sampled.end() ? std::string() : symbol::Printable(sample->second)) << "' is used (--samples)\n";
  }
}

int Report(const symbol::Analysis& analysis, std::ostream& out) {
  out << "elements: " << symbol::Printable(symbol::HumanReadable(analysis.elements)) << '\n';
  for (const auto& finding : analysis.findings) out << symbol::FindingText(finding) << '\n';
  return analysis.Valid() ? 0 : kStatusFindings;
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
      const auto analysis = symbol::AnalyseElementString(line, gs1);
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

// A formula that stops right after a quote that closed its quoted text early
// holds a '"' typed in the data: said as such, with the data before it.
std::string Explained(const std::string& formula, const symbol::FormulaError& e) {
  const std::size_t at = e.Column() - 1;  // the character that could not be read
  if (at < 2 || at > formula.size() || formula[at - 1] != '"') return e.what();
  const std::size_t open = formula.rfind('"', at - 2);
  if (open == std::string::npos) return e.what();
  std::string before = formula.substr(open + 1, at - 2 - open);
  for (const char* marker : {"{CODE A}", "{CODE B}", "{CODE C}", "{FNC1}"}) {
    for (std::size_t m = before.find(marker); m != std::string::npos; m = before.find(marker)) before.erase(m, std::strlen(marker));
  }
  return "the data holds a double quote ('\"') after '" + symbol::Printable(before) + "' (formula column " +
         std::to_string(at) + "), which a template's quoted text cannot carry";
}

// The template, with both formulas known to parse.
LabelTemplate ReadCheckedTemplate(const std::string& path) {
  LabelTemplate t = ReadLabelTemplate(path);
  for (const TemplateText* text : {&t.barcode, &t.readable}) {
    try {
      text->Variables();
    } catch (const symbol::FormulaError& e) {
      throw std::runtime_error(path + ": " + text->where + ": " + Explained(text->text, e));
    }
  }
  return t;
}

// The rows of the CSV, each with the --set values; every variable the formulas
// read must have a column or a --set (or, with --samples, takes its sample),
// and every column and --set must name one of them.
std::vector<symbol::VariableValues> ValueRows(const LabelTemplate& t, const RenderRequest& r, std::ostream& err) {
  const std::vector<std::string> read = ReadVariables(t);
  const symbol::VariableValues sets = ParseSets(r.sets, read);
  if (r.valuesFile.empty()) {
    RequireValues(t, read, [&](const std::string& name) { return sets.contains(name); }, r.samples,
                  "give --set " + (read.empty() ? std::string("NAME") : read.front()) + "=VALUE for each, or --samples", err);
    return {sets};
  }
  std::string bytes;
  if (ReadWholeFile(r.valuesFile, bytes) != ReadStatus::Ok) throw std::runtime_error(r.valuesFile + ": cannot read the values");
  const CsvTable table = ParseCsv(bytes, r.valuesFile, r.delimiter);
  if (table.delimiter != ',') {
    err << "velmora-label: " << r.valuesFile << ": fields separated by "
        << (table.delimiter == '\t' ? std::string("tabs") : "'" + std::string(1, table.delimiter) + "'") << '\n';
  }
  if (table.rows.empty()) throw NoRows(r.valuesFile + ": no rows, only the header");
  const std::set<std::string> columns(table.header.begin(), table.header.end());
  for (const auto& [name, value] : sets) {
    if (columns.contains(name)) throw std::runtime_error(r.valuesFile + ": " + name + " is both a column and a --set");
  }
  for (const std::string& column : table.header) RefuseUnread(r.valuesFile + " column " + column, column, read);
  for (const std::string& name : read) {
    if (!columns.contains(name) && !sets.contains(name) && !r.samples) {
      throw std::runtime_error(r.valuesFile + ": no column for variable " + name + ", which " + ReaderOf(t, name) + " reads");
    }
  }
  RequireValues(t, read, [&](const std::string& name) { return columns.contains(name) || sets.contains(name); }, true,
                {}, err);
  std::vector<symbol::VariableValues> rows;
  for (const auto& fields : table.rows) {
    symbol::VariableValues values = sets;
    for (std::size_t c = 0; c < fields.size(); ++c) values[table.header[c]] = fields[c];
    rows.push_back(std::move(values));
  }
  return rows;
}

std::function<void(int, int)> ProgressBar(std::ostream& err) {
  const auto start = std::chrono::steady_clock::now();
  return [&err, start](int done, int total) {
    if (std::chrono::steady_clock::now() - start < std::chrono::seconds(1) || total == 0) return;
    constexpr int kWidth = 30;
    const int filled = done * kWidth / total;
    err << '\r' << '[' << std::string(static_cast<std::size_t>(filled), '#')
        << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << done << '/' << total << std::flush;
  };
}

int Summarise(const RenderSummary& s, const RenderOptions& o, std::ostream& out) {
  out << s.drawn << " of " << s.rows << " labels drawn to " << o.out;
  if (s.rejected > 0) out << ", " << s.rejected << (s.rejected == 1 ? " row rejected" : " rows rejected");
  if (s.unwritten > 0) out << ", " << s.unwritten << " not written (" << s.writeError << ")";
  if (o.verify) out << ", " << s.drawn - s.unverified << " scanned back equal";
  out << '\n';
  return s.AllGood() ? 0 : kStatusFindings;
}

int Render(const LabelTemplate& t, const symbol::Gs1Data& gs1, const std::vector<symbol::VariableValues>& rows,
           const RenderOptions& o, bool progressBar, std::ostream& out, std::ostream& err) {
  PrepareOutput(o);
  const RenderSummary s = RenderLabels(t, gs1, rows, o, err, progressBar ? ProgressBar(err) : nullptr);
  if (progressBar) err << "\r\033[K" << std::flush;
  return Summarise(s, o, out);
}

// A file of the program's own in the temporary folder, removed when done.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& suffix) {
    std::string pattern = (fs::temp_directory_path() / ("velmora-job-XXXXXX" + suffix)).string();
    const int fd = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
    if (fd < 0) throw std::runtime_error("cannot make a temporary file for the job");
    ::close(fd);
    path_ = pattern;
  }
  ~TemporaryFile() { ::unlink(path_.c_str()); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A host directory with its SYSTEM folder, removed when the design is over.
class TemporaryHost {
 public:
  TemporaryHost() {
    std::string pattern = (fs::temp_directory_path() / "velmora-host-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary host directory");
    path_ = pattern;
    fs::create_directory(fs::path(path_) / "SYSTEM");
  }
  ~TemporaryHost() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TemporaryHost(const TemporaryHost&) = delete;
  TemporaryHost& operator=(const TemporaryHost&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Runs a command; what it could not use ends it with one line on `err`.
template <class Command>
int Guarded(std::ostream& out, std::ostream& err, Command command) {
  try {
    return command();
  } catch (const std::exception& e) {
    out.flush();
    err << "velmora-label: " << e.what() << std::endl;
    return kStatusBadInput;
  }
}

}  // namespace

OutputFormat FormatFor(const std::string& format, const std::string& out) {
  const std::string name = format.empty() ? fs::path(out).extension().string() : "." + format;
  if (name == ".pdf") return OutputFormat::Pdf;
  if (name == ".svg") return OutputFormat::Svg;
  if (name == ".zpl") return OutputFormat::Zpl;
  if (name == ".pbm") return OutputFormat::Pbm;
  if (name == ".png" || name.empty()) return OutputFormat::Png;
  throw std::runtime_error(out + ": labels are written as png or svg (a folder of files) or pdf, zpl or pbm (one file), not as " +
                           name.substr(1) + "; give --format or another name");
}

int RunCheck(const CheckRequest& r, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    const auto gs1 = symbol::LoadGs1Data(dataDir);
    if (!r.elementsFile.empty()) return CheckFile(r.elementsFile, gs1, out);
    if (r.elementsGiven) {
      if (r.elements.empty()) throw std::runtime_error("--elements: the element string is empty");
      return Report(symbol::AnalyseElementString(r.elements, gs1), out);
    }
    const LabelTemplate t = ReadCheckedTemplate(r.templatePath);
    const std::vector<std::string> read = ReadVariables(t);
    const symbol::VariableValues sets = ParseSets(r.sets, read);
    RequireValues(t, read, [&](const std::string& name) { return sets.contains(name); }, r.samples,
                  "give --set NAME=VALUE for each, or --samples", err);
    std::string data;
    try {
      data = t.barcode.Evaluate(t.ValuesWith(sets));
    } catch (const symbol::FormulaError& e) {
      throw std::runtime_error(r.templatePath + ": " + t.barcode.where + ": " + e.what());
    }
    out << "data: " << symbol::Printable(data) << '\n';
    const int status = Report(symbol::AnalyseBarcodeData(data, gs1), out);
    const std::vector<std::string> problems = ValueProblems(sets, t.barcode.Padded());
    for (const std::string& problem : problems) out << problem << '\n';
    return problems.empty() ? status : kStatusFindings;
  });
}

int RunRender(const RenderRequest& r, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    const auto gs1 = symbol::LoadGs1Data(dataDir);
    const LabelTemplate t = ReadCheckedTemplate(r.templatePath);
    std::vector<symbol::VariableValues> rows;
    try {
      rows = ValueRows(t, r, err);
    } catch (const NoRows& e) {
      err << "velmora-label: " << e.what() << std::endl;  // nothing to draw: no label, not bad input
      return kStatusFindings;
    }
    return Render(t, gs1, rows, r.options, r.progressBar, out, err);
  });
}

// Where the designed template is now: kept in the host directory given, copied
// to --keep-template, or gone with the temporary host directory (said so).
void KeepTemplate(const DesignRequest& r, const std::string& imported, const std::optional<TemporaryHost>& temporary,
                  std::ostream& out) {
  if (!r.keepTemplate.empty()) {
    std::error_code error;
    fs::copy_file(imported, r.keepTemplate, fs::copy_options::overwrite_existing, error);
    if (error) throw std::runtime_error(r.keepTemplate + ": the template cannot be kept there (" + error.message() + ")");
    out << "template: " << r.keepTemplate << '\n';
  } else if (temporary) {
    out << "template: not kept (designed in the temporary host directory " << temporary->Path()
        << ", removed; --keep-template PATH keeps it)\n";
  } else {
    out << "template: " << imported << '\n';
  }
}

// The document's variables offered to the wizard whose names no formula can
// read as one name: said before the wizard starts, as a template using one
// would read something else.
void WarnOfNames(const LabelDocument& document, const std::string& path, std::ostream& err) {
  for (const LabelDocument::Variable& v : document.variables) {
    if (!v.name.is_string() || !v.kind.is_number_integer()) continue;
    const auto kind = v.kind.get<long long>();
    if (kind < 5 || kind > 7) continue;
    const std::string name = v.name.get<std::string>();
    const std::size_t bad = symbol::BadNameCharacter(name);
    if (bad == std::string::npos) continue;
    err << "velmora-label: " << path << ": the variable name '" << symbol::Printable(name)
        << "' cannot be carried by a template's formula"
        << (name.empty() ? std::string(" (it is empty)") : " ('" + symbol::Printable(name.substr(bad, 1)) + "')")
        << "; a label that uses it cannot be drawn" << std::endl;
  }
}

int RunDesign(const DesignRequest& r, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    const auto gs1 = symbol::LoadGs1Data(dataDir);
    const LabelDocument document = LoadLabelDocument(r.documentPath);
    WarnOfNames(document, r.documentPath, err);
    PrepareOutput(r.options);
    std::optional<TemporaryHost> temporary;
    if (r.hostDir.empty()) temporary.emplace();
    std::vector<std::string> command = {r.wizard, "serve", "--host-dir", r.hostDir.empty() ? temporary->Path() : r.hostDir};
    command.insert(command.end(), r.wizardOptions.begin(), r.wizardOptions.end());
    const FileClock start = FileSystemNow();
    WizardLimits limits;
    limits.messageSeconds = r.timeoutSeconds;
    if (r.timeoutSeconds > 0) limits.endSeconds = std::min(limits.endSeconds, r.timeoutSeconds);
    limits.stopped = [&err](const std::string& what) { err << "velmora-label: " << what << std::endl; };
    const std::string imported = DesignWithWizard(command, document, limits);
    if (imported.empty()) {
      err << "velmora-label: the wizard wrote no template: it was cancelled" << std::endl;
      return kStatusFindings;
    }
    if (!WrittenSince(imported, start)) {  // an earlier run's file is no design of this one
      throw std::runtime_error("the wizard wrote no template at " + imported + ": " + WhyNotWritten(imported));
    }
    KeepTemplate(r, imported, temporary, out);
    const LabelTemplate t = ReadCheckedTemplate(imported);
    const symbol::VariableValues values = document.Values();
    RequireValues(t, ReadVariables(t), [&](const std::string& name) { return values.contains(name); }, r.samples,
                  "give it a \"value\" in " + r.documentPath + ", or --samples", err);
    return Render(t, gs1, {values}, r.options, false, out, err);
  });
}

int RunPrint(const PrintRequest& p, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    const auto gs1 = symbol::LoadGs1Data(dataDir);
    const RenderRequest& r = p.render;
    const LabelTemplate t = ReadCheckedTemplate(r.templatePath);
    std::vector<symbol::VariableValues> rows;
    try {
      rows = ValueRows(t, r, err);
    } catch (const NoRows& e) {
      err << "velmora-label: " << e.what() << std::endl;
      return kStatusFindings;
    }
    const TemporaryFile job(p.job == OutputFormat::Pdf ? ".pdf" : p.job == OutputFormat::Pbm ? ".pbm" : ".zpl");
    RenderOptions o = r.options;
    o.out = job.Path();
    o.format = p.job;
    const RenderSummary s = RenderLabels(t, gs1, rows, o, err, r.progressBar ? ProgressBar(err) : nullptr);
    if (r.progressBar) err << "\r\033[K" << std::flush;
    std::string bytes;
    if (s.drawn > 0 && ReadWholeFile(job.Path(), bytes) != ReadStatus::Ok) throw std::runtime_error("the job's file is gone");
    std::string said;
    if (s.drawn > 0) {
      try {
        said = p.send(bytes, job.Path());
      } catch (const std::runtime_error& e) {
        out << "0 of " << s.rows << " labels printed to " << p.printer << '\n';
        err << "velmora-label: " << e.what() << std::endl;
        return kStatusFindings;
      }
    }
    out << s.drawn << " of " << s.rows << " labels printed to " << p.printer;
    if (s.drawn > 0) out << " (" << (said.empty() ? "" : said + ", ") << bytes.size() / static_cast<std::size_t>(s.drawn) << " bytes a label)";
    if (s.rejected > 0) out << ", " << s.rejected << (s.rejected == 1 ? " row rejected" : " rows rejected");
    if (o.verify) out << ", " << s.drawn - s.unverified << " scanned back equal";
    out << '\n';
    return s.AllGood() ? 0 : kStatusFindings;
  });
}

}  // namespace velmora::label
