#pragma once
// A label printer on raw TCP ("port 9100"): a job's ZPL sent label by label
// over one connection to socket://HOST[:PORT], with the printer's host status
// asked before and after, and the labels it took counted from what it
// acknowledged.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "print/Patience.h"
#include "print/PrintJob.h"

namespace velmora::print {

// A printer that could not be reached or named; the message is one line
// naming the destination.
class PrintError : public std::runtime_error {
 public:
  explicit PrintError(const std::string& what, int signal = 0) : std::runtime_error(what), signal_(signal) {}
  int Signal() const { return signal_; }  // the Ctrl-C or SIGTERM that stopped it, or 0

 private:
  int signal_;
};

struct SocketDestination {
  std::string host;
  std::string port = "9100";
  std::string Uri() const;  // socket://HOST:PORT, as given
};

// "socket://printer.local", "socket://10.0.0.7:9101", "socket://[::1]:9100";
// nothing for any other text. Throws PrintError for a socket URI without a host
// or with a port that is not a number from 1 to 65535.
std::optional<SocketDestination> ParseSocketDestination(std::string_view text);

// Sends the ZPL `job`: never stops inside a label (an interruption finishes the
// label on its way first), and counts as taken only the labels the printer
// acknowledged whole. With `waitForPrinter` it ends once the printer's buffer
// has emptied. Throws PrintError when the printer cannot be reached.
Delivery SendZpl(const SocketDestination& destination, const PrintJob& job, const Patience& patience,
                 bool waitForPrinter);

}  // namespace velmora::print
