#pragma once
// velmora-label print: the run's labels drawn as the printer wants them (asked
// first), sent as one job, and said exactly: how many labels the printer took
// whole, which rows they were, and how to go on after a run that stopped short.
#include <iosfwd>
#include <string>

#include "commands/LabelCommands.h"

namespace velmora::commands {

struct PrintRequest {
  RenderRequest render;         // the rows and their checks, as render has them
  std::string printer;          // as the user named it (socket://, ipp://, ipps://, a CUPS queue)
  double timeoutSeconds = 30;   // the longest the printer may make no progress
  bool waitForPrinter = false;  // a label printer: end once its buffer is empty
  int fromRow = 1;              // the first row to print (a resumed run)
};

// 0: every label printed; 1: findings, rows rejected, or a printer that took
// fewer labels than were drawn; 2: input that could not be used; 128 + the
// signal for a run stopped by Ctrl-C or SIGTERM.
int RunPrint(const PrintRequest& request, const std::string& dataDir, std::ostream& out, std::ostream& err);

// velmora-label printers: this machine's CUPS destinations, CUPS asked within `timeout` s of no answer.
int RunPrinters(double timeout, std::ostream& out, std::ostream& err);

}  // namespace velmora::commands
