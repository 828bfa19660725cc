#include "print/RawSocket.h"

#include <algorithm>
#include <chrono>

#include "print/HostStatus.h"
#include "print/TcpLink.h"

namespace velmora::print {
namespace {

using Clock = std::chrono::steady_clock;

// How long a printer has to answer ~HS: a ZPL printer answers at once, unless
// its media or ribbon is out or its head open (then it says nothing).
constexpr double kStatusSeconds = 2;
// An interrupted run finishes the label on its way within this, else drops it.
constexpr auto kFinishLabel = std::chrono::milliseconds(800);

std::optional<HostStatus> AskStatus(TcpLink& link, double seconds, const Patience& patience) {
  if (link.Offer("~HS") != 3) return std::nullopt;
  std::string answer;
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < end && patience.Interrupted() == 0) {
    if (link.Wait(false, 50)) answer += link.Answer();
    if (auto status = ParseHostStatus(answer)) return status;
    if (!link.Failure().empty()) break;
  }
  return std::nullopt;
}

// The job's labels written from `start` on; returns why they stopped short, or "".
class LabelWriter {
 public:
  LabelWriter(TcpLink& link, const PrintJob& job, const Patience& patience)
      : link_(link), job_(job), patience_(patience), start_(link.Written()), watch_(patience.stallSeconds) {}

  std::string WriteAll(Delivery& d) {
    std::size_t sent = 0;
    std::size_t stopAt = job_.bytes.size();
    Clock::time_point stopBy;
    while (sent < stopAt) {
      if (d.signal == 0 && (d.signal = patience_.Interrupted()) != 0) {
        stopAt = sent == 0 ? 0 : *std::lower_bound(job_.labelEnds.begin(), job_.labelEnds.end(), sent);
        stopBy = Clock::now() + kFinishLabel;
        continue;
      }
      const long n = link_.Offer(job_.bytes.substr(sent, std::min<std::size_t>(stopAt - sent, 1 << 16)));
      if (n < 0) return link_.Failure();
      sent += static_cast<std::size_t>(n);
      if (const std::string stalled = Watch(); !stalled.empty()) return stalled;
      if (d.signal != 0 && Clock::now() > stopBy) return "";
      if (n == 0) link_.Wait(true, 50);
    }
    return Drain(d);
  }

  // The labels the printer acknowledged whole, and whether the next reached it in part.
  void Count(Delivery& d) const {
    const std::uint64_t taken = std::min<std::uint64_t>(link_.Acknowledged() - start_, job_.bytes.size());
    d.labels = job_.WholeLabelsWithin(taken);
    d.partial = d.labels < job_.labels && taken > (d.labels == 0 ? 0 : job_.labelEnds[d.labels - 1]);
  }

 private:
  // Until the printer has acknowledged every byte written.
  std::string Drain(Delivery& d) {
    Clock::time_point stopBy = Clock::now() + kFinishLabel;
    while (link_.Acknowledged() < link_.Written()) {
      if (const std::string failure = link_.Failure(); !failure.empty()) return failure;
      if (const std::string stalled = Watch(); !stalled.empty()) return stalled;
      if (d.signal == 0 && (d.signal = patience_.Interrupted()) != 0) stopBy = Clock::now() + kFinishLabel;
      if (d.signal != 0 && Clock::now() > stopBy) return "";
      link_.Wait(false, 10);
    }
    return "";
  }

  std::string Watch() {
    if (const std::uint64_t acked = link_.Acknowledged(); acked > acked_) {
      acked_ = acked;
      watch_.Progress();
    }
    return watch_.Stalled() ? "the printer took no data for " + SecondsText(patience_.stallSeconds) : "";
  }

  TcpLink& link_;
  const PrintJob& job_;
  const Patience& patience_;
  const std::uint64_t start_;
  ProgressWatch watch_;
  std::uint64_t acked_ = 0;
};

// After the job: what the printer says now, and with `wait`, asked again until
// its buffer is empty (progress: fewer labels waiting).
void StatusAfter(TcpLink& link, bool wait, const Patience& patience, Delivery& d) {
  ProgressWatch watch(patience.stallSeconds);
  long waiting = -1;
  for (;;) {
    const std::optional<HostStatus> s = AskStatus(link, kStatusSeconds, patience);
    if (!s) return;
    const long now = s->formatsInBuffer + s->labelsRemaining;
    if (const auto problems = s->Problems(); !problems.empty() && !s->Idle()) {
      d.notes.push_back("after the job the printer reports " + JoinedProblems(problems) + ": " + std::to_string(now) +
                        " labels wait in its buffer");
      return;
    }
    if (!wait || s->Idle()) return;
    if (waiting < 0 || now < waiting) watch.Progress();
    waiting = now;
    if (watch.Stalled()) {
      d.problem = "the printer printed nothing for " + SecondsText(patience.stallSeconds) + " (" + std::to_string(now) +
                  " labels wait in its buffer)";
      return;
    }
    if (!Nap(0.5, patience)) return;
  }
}

}  // namespace

std::string SocketDestination::Uri() const {
  return "socket://" + (host.find(':') != std::string::npos ? "[" + host + "]" : host) + ":" + port;
}

std::optional<SocketDestination> ParseSocketDestination(std::string_view text) {
  constexpr std::string_view kScheme = "socket://";
  if (!text.starts_with(kScheme)) return std::nullopt;
  std::string_view rest = text.substr(kScheme.size());
  if (const std::size_t slash = rest.find('/'); slash != std::string_view::npos) rest = rest.substr(0, slash);
  SocketDestination d;
  std::string_view port;
  if (rest.starts_with('[')) {  // an IPv6 address
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos) throw PrintError(std::string(text) + ": '[' without its ']'");
    d.host = rest.substr(1, close - 1);
    if (close + 1 < rest.size() && rest[close + 1] == ':') port = rest.substr(close + 2);
  } else {
    const std::size_t colon = rest.rfind(':');
    d.host = rest.substr(0, colon);
    if (colon != std::string_view::npos) port = rest.substr(colon + 1);
  }
  if (d.host.empty()) throw PrintError(std::string(text) + ": no printer host");
  if (!port.empty()) {
    const bool digits = port.size() <= 5 && port.find_first_not_of("0123456789") == std::string_view::npos;
    if (!digits || std::stoi(std::string(port)) < 1 || std::stoi(std::string(port)) > 65535) {
      throw PrintError(std::string(text) + ": the port '" + std::string(port) + "' is not a number from 1 to 65535");
    }
    d.port = port;
  }
  return d;
}

Delivery SendZpl(const SocketDestination& destination, const PrintJob& job, const Patience& patience,
                 bool waitForPrinter) {
  TcpLink link(destination, patience);
  Delivery d;
  const std::optional<HostStatus> before = AskStatus(link, kStatusSeconds, patience);
  if ((d.signal = patience.Interrupted()) != 0) return d;
  if (!before) {
    d.notes.push_back("the printer did not answer its host status (~HS) in " + SecondsText(kStatusSeconds) +
                      "; sending without it (a printer whose media or ribbon is out or whose head is open does not "
                      "answer)");
  } else if (const auto problems = before->Problems(); !problems.empty()) {
    d.problem = "the printer reports " + JoinedProblems(problems) + "; nothing was sent";
    return d;
  }
  LabelWriter writer(link, job, patience);
  d.problem = writer.WriteAll(d);
  if (!d.problem.empty() || d.signal != 0) {
    writer.Count(d);
    link.Drop();
    if (d.labels == job.labels) d.problem.clear();  // it had them all
    return d;
  }
  writer.Count(d);
  if (before) StatusAfter(link, waitForPrinter, patience, d);
  return d;
}

}  // namespace velmora::print
