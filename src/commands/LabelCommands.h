#pragma once
// What velmora-label's commands do, once the command line is read. Each returns
// the exit status: 0 all good, 1 GS1 findings or labels not drawn or not scanned
// back, 2 input that could not be read (one line on `err` saying what and where).
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "label/BatchRender.h"
#include "platform/ExitStatus.h"

namespace velmora::commands {

struct CheckRequest {
  std::string templatePath;
  std::string elements;
  bool elementsGiven = false;  // --elements, even with an empty text
  std::string elementsFile;
  std::string digitalLink;  // --dl: a GS1 Digital Link URI to read and check
  bool linkWanted = false;  // print the elements' GS1 Digital Link URI
  std::string linkDomain = symbol::kDefaultDigitalLinkDomain;
  std::vector<std::string> sets;  // NAME=VALUE
  bool samples = false;           // a variable without a value takes the template's sample
};

struct RenderRequest {
  std::string templatePath;
  std::string elements;        // --elements: one label of this element string, instead of a template
  bool elementsGiven = false;  // even with an empty text
  std::string elementsColumn;  // --elements-column: the CSV column each label's element string is in
  std::vector<std::string> sets;
  std::string valuesFile;                   // CSV; empty for one label
  char delimiter = 0;                       // of the CSV's fields; 0: found from its header
  std::vector<std::string> ignoredColumns;  // columns of the CSV left out on purpose (no formula reads them)
  label::RenderOptions options;
  bool progressBar = false;  // on `err`, for runs over a second
  bool samples = false;
};

struct DesignRequest {
  std::string documentPath;
  std::string wizard;                      // the velmora-wizard to start
  std::vector<std::string> wizardOptions;  // --headless --script FILE, --data-dir DIR
  std::string hostDir;                     // empty: a temporary one
  std::string keepTemplate;                // where to keep a copy of the designed template
  int timeoutSeconds = 0;                  // for each of the wizard's messages; 0: no limit
  label::RenderOptions options;
  bool samples = false;
};

// What design's words say of the wizard to start: played by a script
// (headless) or with its window, and how long its messages may take (-1: the
// default, 60 s headless, no limit with the window).
struct DesignWords {
  bool headless = false;
  std::string script;
  int timeout = -1;
};
// Fills in the wizard to start (VELMORA_WIZARD, else the one beside this
// program) and its options; "" or what is wrong (no display for the window).
std::string PrepareDesign(DesignRequest& design, const DesignWords& words, const std::string& dataDir);

// `dataDir` holds ID128.inf and the syntax dictionary.
int RunCheck(const CheckRequest& request, const std::string& dataDir, std::ostream& out, std::ostream& err);
int RunRender(const RenderRequest& request, const std::string& dataDir, std::ostream& out, std::ostream& err);
int RunDesign(const DesignRequest& request, const std::string& dataDir, std::ostream& out, std::ostream& err);

// The format named by --format, or by the output's extension when not given;
// throws std::runtime_error for an extension of a format not written.
label::OutputFormat FormatFor(const std::string& format, const std::string& out);

}  // namespace velmora::commands
