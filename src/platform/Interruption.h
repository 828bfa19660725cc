#pragma once
// Ctrl-C and SIGTERM as a request to stop, not an end on the spot: a print run
// finishes the label it is sending, says what the printer took and ends. The
// long phases of a run ask InterruptingSignal() at least every 200 ms.
namespace velmora {

// From now on SIGINT and SIGTERM only mark the process as interrupted (blocking
// calls return EINTR: no SA_RESTART).
void CatchInterruptions();

// The signal that asked the process to stop (SIGINT, SIGTERM), or 0.
int InterruptingSignal();

// The exit status a shell gives a process ended by `signal` (130 for SIGINT).
inline int StatusForSignal(int signal) { return 128 + signal; }

}  // namespace velmora
