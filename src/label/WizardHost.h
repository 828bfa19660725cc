#pragma once
// The host's side of the wizard's automation protocol, out of process: starts
// velmora-wizard serve as a child, answers its calls from a label document and
// receives the template it imports (the protocol's own host, protocol::DocumentHost).
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "protocol/HostDocument.h"

namespace velmora::label {

// The wizard ended, failed or broke the protocol; the message says which.
class WizardError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How long to wait on the wizard: for each of its messages while Connect runs
// (0: no limit, as a user at the window takes the time they need), and for it
// to end once released. `stopped` is told when it did not end in that time.
struct WizardLimits {
  int messageSeconds = 0;
  int endSeconds = 10;
  std::function<void(const std::string&)> stopped;
};

// Runs one Connect of the wizard started as `command` (the program and its
// arguments) and returns the path it handed to the import call, empty when the
// user cancelled before any template was written.
std::string DesignWithWizard(const std::vector<std::string>& command, const protocol::HostDocument& document,
                             const WizardLimits& limits = {});

}  // namespace velmora::label
