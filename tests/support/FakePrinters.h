#pragma once
// Printers that misbehave on purpose, on a free loopback port of their own,
// each in a thread: a ZPL printer on raw TCP and an IPP printer, each with one
// table of behaviours. They keep what they received for the test to check.
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora::test {

// A loopback listener on a free port; closed with the object.
int Listen(int& port, int backlog = 16);

struct RawBehaviour {
  bool reads = true;                           // false: accepts and never reads
  std::size_t closeAfter = std::string::npos;  // stops reading after this many bytes, then closes
  std::size_t bytesPerSecond = 0;              // 0: as fast as it can
  std::string status;                          // its answer to ~HS; "" answers nothing
  int jobs = 1;                                // connections it serves, one at a time
  int backlog = 16;                            // connections its system holds waiting to be served
  // The same printer with one thing changed, for a table of behaviours.
  RawBehaviour NeverReading() const { return With(&RawBehaviour::reads, false); }
  RawBehaviour ClosingAfter(std::size_t n) const { return With(&RawBehaviour::closeAfter, n); }
  RawBehaviour Reading(std::size_t rate) const { return With(&RawBehaviour::bytesPerSecond, rate); }
  RawBehaviour Answering(std::string s) const { return With(&RawBehaviour::status, std::move(s)); }
  RawBehaviour Serving(int n) const { return With(&RawBehaviour::jobs, n); }
  RawBehaviour Queueing(int n) const { return With(&RawBehaviour::backlog, n); }

 private:
  template <class T>
  RawBehaviour With(T RawBehaviour::*field, T value) const {
    RawBehaviour b = *this;
    b.*field = std::move(value);
    return b;
  }
};

// What a ZPL printer answers to ~HS, with the flags that matter to a run.
std::string HostStatusAnswer(bool paperOut, bool paused, int formatsWaiting);

class FakeLabelPrinter {
 public:
  explicit FakeLabelPrinter(RawBehaviour behaviour);
  ~FakeLabelPrinter();
  std::string Uri() const { return "socket://127.0.0.1:" + std::to_string(port_); }
  // All it holds once the runs have ended: what it read, and what its network
  // stack took (acknowledged) and had not yet handed over when it closed.
  std::string Held();
  // Bytes received so far (for a test that interrupts a run part way).
  std::size_t Received();

  void Serve(int connection);  // one connection, to its end

 private:
  RawBehaviour b_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::string held_;
  std::size_t received_ = 0;
  std::vector<int> open_;  // connections never read, kept until Held()
  std::thread thread_;
};

// The whole labels (^XA..^XZ) of a ZPL stream, and whether a part of one follows them.
int WholeLabels(const std::string& zpl, bool* partAfter = nullptr);

enum class IppBehaviour {
  Works,          // takes the job and completes it, counting its pages
  Answers500,     // HTTP 500 to every request
  Truncated,      // a 200 whose IPP body is cut short
  Hangs,          // reads each request and never answers
  BusyTwice,      // server-error-busy to the first two Print-Jobs
  StaysPending,   // takes the job, which never leaves "pending"
  FailsAfterJob,  // takes the job, then HTTP 500 to every question about it
  ReadsSlowly,    // takes the document at 100 KB/s
};

class FakeIppPrinter {
 public:
  explicit FakeIppPrinter(IppBehaviour behaviour);
  ~FakeIppPrinter();
  std::string Uri() const { return "ipp://127.0.0.1:" + std::to_string(port_) + "/ipp/print"; }
  int Jobs();     // Print-Jobs whose document arrived whole
  int Cancels();  // Cancel-Jobs received

 private:
  void Serve(int connection);
  std::string Answer(int operation, int requestId, const std::string& body);
  IppBehaviour b_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> jobs_{0};
  std::atomic<int> cancels_{0};
  std::atomic<int> busy_{0};
  int pages_ = 0;
  std::thread thread_;
  std::vector<std::thread> connections_;
};

}  // namespace velmora::test
