#include "platform/Interruption.h"

#include <csignal>

namespace velmora {
namespace {

// The one value a signal handler may set.
volatile std::sig_atomic_t caught = 0;

void Catch(int signal) { caught = signal; }

}  // namespace

void CatchInterruptions() {
  struct sigaction action {};
  action.sa_handler = Catch;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int InterruptingSignal() { return caught; }

}  // namespace velmora
