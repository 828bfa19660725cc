#include "commands/CommandSupport.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>

#include "label/CsvRows.h"
#include "label/VariableNames.h"
#include "platform/FileAccess.h"
#include "symbol/Findings.h"

namespace velmora::commands {

using namespace label;  // the label side, which the commands drive
namespace {

// A formula that stops right after a quote that closed its quoted text early
// holds a '"' typed in the data: said as such, with the data before it.
std::string Explained(const std::string& formula, const symbol::FormulaError& e) {
  const std::size_t at = e.Column() - 1;  // the character that could not be read
  if (at < 2 || at > formula.size() || formula[at - 1] != '"') return e.what();
  const std::size_t open = formula.rfind('"', at - 2);
  if (open == std::string::npos) return e.what();
  std::string before = formula.substr(open + 1, at - 2 - open);
  for (const char* marker : {"{CODE A}", "{CODE B}", "{CODE C}", "{FNC1}"}) {
    for (std::size_t m = before.find(marker); m != std::string::npos; m = before.find(marker))
      before.erase(m, std::strlen(marker));
  }
  return "the data holds a double quote ('\"') after '" + symbol::Printable(before) + "' (formula column " +
         std::to_string(at) + "), which a template's quoted text cannot carry";
}

int Summarise(const RenderSummary& s, const RenderOptions& o, std::ostream& out) {
  out << s.drawn << " of " << s.rows << " labels drawn to " << o.out;
  if (s.rejected > 0) out << ", " << s.rejected << (s.rejected == 1 ? " row rejected" : " rows rejected");
  if (s.unwritten > 0) out << ", " << s.unwritten << " not written (" << s.writeError << ")";
  if (o.verify) out << ", " << s.drawn - s.unverified << " scanned back equal";
  out << '\n';
  return s.AllGood() ? 0 : kStatusFindings;
}

}  // namespace

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

void RequireValues(const LabelTemplate& t, const std::vector<std::string>& read,
                   const std::function<bool(const std::string&)>& given, bool samples, const std::string& how,
                   std::ostream& err) {
  const symbol::VariableValues sampled = t.ValuesWith({});
  for (const std::string& name : read) {
    if (given(name)) continue;
    if (!samples) {
      std::string hint = how;  // its NAME is the variable without a value
      if (const std::size_t at = hint.find("NAME"); at != std::string::npos) hint.replace(at, 4, name);
      throw std::runtime_error("no value for variable " + name + ", which " + ReaderOf(t, name) + " reads: " + hint);
    }
    const auto sample = sampled.find(name);
    err << "velmora-label: no value for variable " << name << ": the template's sample '"
        << (sample == sampled.end() ? std::string() : symbol::Printable(sample->second)) << "' is used (--samples)\n";
  }
}

LabelTemplate ReadCheckedTemplate(const std::string& path) {
  LabelTemplate t = ReadLabelTemplate(path);
  if (t.barcode.text.empty()) {
    throw std::runtime_error(path + ": " + t.barcode.where +
                             " is empty: the template carries no AI data (a wizard run whose AIs take their data from "
                             "a variable, with none chosen, writes such a template)");
  }
  for (const TemplateText* text : {&t.barcode, &t.readable}) {
    try {
      text->Variables();
    } catch (const symbol::FormulaError& e) {
      throw std::runtime_error(path + ": " + text->where + ": " + Explained(text->text, e));
    }
  }
  return t;
}

RunInput ReadRunInput(const RenderRequest& r, const std::string& dataDir) {
  RunInput in{r, {}, {}};
  if (!ByElements(r)) {
    in.gs1 = symbol::LoadGs1Data(dataDir);
    in.label = ReadCheckedTemplate(r.templatePath);
    return in;
  }
  if (r.elementsGiven && r.elements.empty()) throw std::runtime_error("--elements: the element string is empty");
  const std::string variable = r.elementsGiven ? std::string("ELEMENTS") : r.elementsColumn;
  if (const std::size_t bad = symbol::BadNameCharacter(variable); bad != std::string::npos) {
    throw std::runtime_error("--elements-column " + symbol::Printable(variable) +
                             ": a column name of letters, digits and '_' is read as one ('" +
                             symbol::Printable(variable.substr(bad, 1)) + "' is not)");
  }
  in.label = label::ElementStringTemplate(variable);
  if (r.elementsGiven) in.request.sets.push_back(variable + "=" + r.elements);
  return in;
}

namespace {

// The columns of `header` the run reads: every one a formula reads, less those
// left out on purpose (--ignore-column); any other is refused, saying so.
std::set<std::string> ReadColumns(const std::vector<std::string>& header, const RenderRequest& r,
                                  const std::vector<std::string>& read) {
  std::set<std::string> columns(header.begin(), header.end());
  for (const std::string& ignored : r.ignoredColumns) {
    if (columns.erase(ignored) > 0) continue;
    std::string names;
    for (const std::string& column : header) names += (names.empty() ? "" : ", ") + column;
    throw std::runtime_error("--ignore-column " + ignored + ": " + r.valuesFile + " has no such column (it has " +
                             names + ")");
  }
  for (const std::string& column : columns) {
    try {
      RefuseUnread(r.valuesFile + " column " + column, column, read);
    } catch (const std::runtime_error& e) {
      throw std::runtime_error(std::string(e.what()) + "; --ignore-column " + column + " leaves it out on purpose");
    }
  }
  return columns;
}

}  // namespace

std::unique_ptr<RowSource> ValueRows(const LabelTemplate& t, const RenderRequest& r, std::ostream& err) {
  const std::vector<std::string> read = ReadVariables(t);
  const symbol::VariableValues sets = ParseSets(r.sets, read);
  if (r.valuesFile.empty()) {
    RequireValues(
        t, read, [&](const std::string& name) { return sets.contains(name); }, r.samples,
        "give --set NAME=VALUE for each, or --samples", err);
    return std::make_unique<FixedRows>(std::vector<symbol::VariableValues>{sets});
  }
  if (std::filesystem::is_directory(r.valuesFile))
    throw std::runtime_error(r.valuesFile + ": cannot read the values (it is a folder)");
  auto table = std::make_unique<CsvRowSource>(r.valuesFile, r.delimiter, sets, r.ignoredColumns);
  if (table->Delimiter() != ',') {
    err << "velmora-label: " << r.valuesFile << ": fields separated by "
        << (table->Delimiter() == '\t' ? std::string("tabs") : "'" + std::string(1, table->Delimiter()) + "'") << '\n';
  }
  if (table->Count() == 0) throw NoRows(r.valuesFile + ": no rows, only the header");
  const std::vector<std::string>& header = table->Header();
  const std::set<std::string> columns = ReadColumns(header, r, read);
  for (const auto& [name, value] : sets) {
    if (columns.contains(name)) throw std::runtime_error(r.valuesFile + ": " + name + " is both a column and a --set");
  }
  for (const std::string& name : read) {
    if (!columns.contains(name) && !sets.contains(name) && !r.samples) {
      throw std::runtime_error(r.valuesFile + ": no column for variable " + name + ", which " + ReaderOf(t, name) +
                               " reads");
    }
  }
  RequireValues(
      t, read, [&](const std::string& name) { return columns.contains(name) || sets.contains(name); }, true, {}, err);
  return table;
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

int Render(const LabelTemplate& t, const symbol::Gs1Data& gs1, RowSource& rows, const RenderOptions& o,
           bool progressBar, std::ostream& out, std::ostream& err) {
  PrepareOutput(o);
  const RenderSummary s = RenderLabels(t, gs1, rows, o, err, progressBar ? ProgressBar(err) : nullptr);
  if (progressBar) err << "\r\033[K" << std::flush;
  return Summarise(s, o, out);
}

}  // namespace velmora::commands
