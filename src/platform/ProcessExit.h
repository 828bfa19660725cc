#pragma once
// Ending the process at once, through one function that tests can replace.
#include <functional>
#include <stdexcept>

namespace velmora {

// Thrown when an installed handler returns instead of ending the process, so
// that nothing after the end runs.
struct ProcessEnded : std::runtime_error {
  explicit ProcessEnded(int status) : std::runtime_error("process ended"), Status(status) {}
  int Status;
};

using EndProcessHandler = std::function<void(int status)>;

// Installs a handler (an empty one restores the real end) and returns the previous one.
EndProcessHandler SetEndProcessHandler(EndProcessHandler handler);

// Ends the process with `status`, without clean-up.
[[noreturn]] void EndProcess(int status);

}  // namespace velmora
