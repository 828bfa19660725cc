#pragma once
// What the label commands share: reading a template whose formulas parse, the
// values of a run's rows and the checks of their names, drawing a run with its
// summary, and turning what a command could not use into one line and status 2.
#include <functional>
#include <iosfwd>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/LabelCommands.h"
#include "label/RowSource.h"
#include "label/TemplateReader.h"
#include "symbol/Gs1Data.h"

namespace velmora::commands {

// A values file with a header and no row: nothing to draw, status 1.
class NoRows : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The --set values; each must name a variable that a formula reads.
symbol::VariableValues ParseSets(const std::vector<std::string>& sets, const std::vector<std::string>& read);

// The variables of `read` that `given` has no value for. Without --samples
// the first is an error (`how` says how to give one, its NAME the variable's); with it, each takes the
// template's sample and says so on `err`.
void RequireValues(const label::LabelTemplate& t, const std::vector<std::string>& read,
                   const std::function<bool(const std::string&)>& given, bool samples, const std::string& how,
                   std::ostream& err);

// The template, with both formulas known to parse.
label::LabelTemplate ReadCheckedTemplate(const std::string& path);

// Does the run draw element strings given without a template (--elements, --elements-column)?
inline bool ByElements(const RenderRequest& r) { return r.elementsGiven || !r.elementsColumn.empty(); }

// The run's template and its data: the template file's (after `gs1` is loaded
// from `dataDir`: its catalogue splits the data), or one for element strings,
// which need no catalogue; --elements becomes the one row's value.
struct RunInput {
  RenderRequest request;
  symbol::Gs1Data gs1;
  label::LabelTemplate label;
};
RunInput ReadRunInput(const RenderRequest& r, const std::string& dataDir);

// The rows of the CSV, each with the --set values (see RequireValues), or the
// one row of --set values; throws NoRows for a file with a header only.
std::unique_ptr<label::RowSource> ValueRows(const label::LabelTemplate& t, const RenderRequest& r, std::ostream& err);

// A progress bar on `err` for runs over a second.
std::function<void(int, int)> ProgressBar(std::ostream& err);

// Draws the rows to the output and prints the summary line; the exit status.
int Render(const label::LabelTemplate& t, const symbol::Gs1Data& gs1, label::RowSource& rows,
           const label::RenderOptions& o, bool progressBar, std::ostream& out, std::ostream& err);

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

}  // namespace velmora::commands
