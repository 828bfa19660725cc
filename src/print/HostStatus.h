#pragma once
// A ZPL printer's host status: what it answers to ~HS on the job's own
// connection, three <STX>...<ETX><CR><LF> strings of comma-separated fields.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::print {

struct HostStatus {
  bool paperOut = false;
  bool paused = false;
  bool bufferFull = false;
  bool corruptRam = false;
  bool underTemperature = false;
  bool overTemperature = false;
  bool headUp = false;
  bool ribbonOut = false;
  int formatsInBuffer = 0;   // labels received, not yet printed
  long labelsRemaining = 0;  // of the batch being printed
  // What keeps the printer from printing now ("paper out", "head open"), in its words.
  std::vector<std::string> Problems() const;
  bool Idle() const { return formatsInBuffer == 0 && labelsRemaining == 0; }
};

// The status in `answer` once its first two strings are whole (the third, the
// password and memory, says nothing of printing); nothing before that, and
// nothing for an answer that is not a host status.
std::optional<HostStatus> ParseHostStatus(std::string_view answer);

// "paper out and paused".
std::string JoinedProblems(const std::vector<std::string>& problems);

}  // namespace velmora::print
