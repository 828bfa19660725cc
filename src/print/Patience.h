#pragma once
// How long a run waits on a printer: never a fixed total, which would cut off a
// slow printer printing a long run, but a limit on time without progress (a
// connection made, bytes taken, an answer, a job's state moving on), and an
// interruption honoured within a fraction of a second.
#include <chrono>
#include <functional>
#include <string>

namespace velmora::print {

struct Patience {
  double stallSeconds = 30;          // the longest a printer may make no progress
  std::function<int()> interrupted;  // the signal that asks the run to stop, or 0
  int Interrupted() const { return interrupted ? interrupted() : 0; }
};

// The time since the last progress, against the limit.
class ProgressWatch {
 public:
  explicit ProgressWatch(double limitSeconds) : limit_(limitSeconds) {}
  void Progress() { last_ = std::chrono::steady_clock::now(); }
  double Seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - last_).count(); }
  bool Stalled() const { return Seconds() >= limit_; }

 private:
  double limit_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// Sleeps `seconds` in short slices; false, at once, when the run is interrupted.
bool Nap(double seconds, const Patience& patience);

// "30 s", "1.5 s": a limit as a message says it.
std::string SecondsText(double seconds);

}  // namespace velmora::print
