#pragma once
// Where a print run's labels go, by the scheme of the name the user gave:
// one interface for every kind of printer, and one table of the schemes
// (what --printer's help says is made from it). A new kind of printer is a
// class and a row.
#include <memory>
#include <string>

#include "print/Patience.h"
#include "print/PrintJob.h"

namespace velmora::print {

// What the printer wants drawn, asked before any label is.
struct PrinterNeeds {
  JobFormat format = JobFormat::Zpl;
  int dpi = 0;            // the images' resolution; 0: the run's own
  double mediaWidth = 0;  // the printer's default media in mm; 0: it said none
  double mediaHeight = 0;
  bool sheets = false;  // it prints sheets of labels (PDF)
};

struct DestinationOptions {
  bool waitForPrinter = false;  // a label printer: end once its buffer is empty
};

class Destination {
 public:
  virtual ~Destination() = default;
  // The printer as messages name it.
  virtual std::string Uri() const = 0;
  // Asks the printer what it takes; throws PrintError when it cannot be
  // reached or would not print (paused, stopped, no format of ours).
  virtual PrinterNeeds Ask(const Patience& patience) = 0;
  // Sends the job and says what the printer took; throws PrintError when the
  // printer cannot be reached or refuses the job before taking any of it.
  virtual Delivery Send(const PrintJob& job, const Patience& patience) = 0;
};

// The destination `name` names: socket://, ipp://, ipps://, else a CUPS queue.
// Throws PrintError for a name of a scheme that is malformed.
std::unique_ptr<Destination> OpenDestination(const std::string& name, const DestinationOptions& options);

// The kinds of destination, for --printer's help ("socket://HOST[:PORT]: a ZPL ...; ...").
std::string DestinationHelp();

}  // namespace velmora::print
