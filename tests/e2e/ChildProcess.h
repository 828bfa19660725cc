#pragma once
// A child process with pipes to its standard input and output, and its
// standard error in a file: the host's side of the automation server.
#include <string>
#include <vector>

namespace velmora::test {

class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& args, const std::string& stderrFile);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Write(const std::string& bytes);
  // One line without its line feed; false at the end of the output (or after 20 s).
  bool ReadLine(std::string& line);
  void CloseInput();
  // Sends `signal` (SIGINT: a Ctrl-C at the terminal).
  void Signal(int signal) const;
  // The shared objects the child has mapped now (from /proc/PID/maps).
  std::string Maps() const;
  // Waits for the child to end (at most 20 s, then it is killed); its exit status.
  int Wait();
  // The child's peak resident memory, once it has ended.
  long PeakKilobytes() const { return peakKilobytes_; }

 private:
  int pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string buffer_;
  int status_ = -1;
  long peakKilobytes_ = 0;
};

// What a command said and how it ended.
struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs `args` with no input to its end; its standard error passes through `stderrFile`.
Outcome RunToEnd(const std::vector<std::string>& args, const std::string& stderrFile);

}  // namespace velmora::test
