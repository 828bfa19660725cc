#include "support/FakePrinters.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace velmora::test {
namespace {

void Nap(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool Readable(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, ms) > 0;
}

void WriteAll(int fd, const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const ssize_t n = ::send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
    if (n <= 0) return;
    at += static_cast<std::size_t>(n);
  }
}

// The bytes its stack took and the reader had not: kept, since the sender was told they arrived.
std::string TakenUnread(int fd) {
  int queued = -1;
  for (int now = 0;; queued = now) {
    Nap(200);
    ::ioctl(fd, FIONREAD, &now);
    if (now == queued) break;
  }
  std::string taken(static_cast<std::size_t>(queued), '\0');
  const ssize_t n = ::recv(fd, taken.data(), taken.size(), MSG_PEEK | MSG_DONTWAIT);
  taken.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return taken;
}

template <class Server>
std::thread AcceptLoop(Server* server, int listener, int jobs, std::atomic<bool>& stop) {
  return std::thread([server, listener, jobs, &stop] {
    for (int served = 0; served < jobs && !stop;) {
      if (!Readable(listener, 50)) continue;
      const int c = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
      if (c < 0) continue;
      ++served;
      server->Serve(c);
    }
  });
}

std::string U16(std::size_t v) { return {static_cast<char>((v >> 8) & 255), static_cast<char>(v & 255)}; }
std::string U32(int v) { return U16(static_cast<std::size_t>(v) >> 16) + U16(static_cast<std::size_t>(v) & 0xFFFF); }
std::string Attribute(int tag, const std::string& name, const std::string& value) {
  return static_cast<char>(tag) + U16(name.size()) + name + U16(value.size()) + value;
}
std::string IppMessage(int status, int requestId, const std::string& groups) {
  return U16(0x0200) + U16(static_cast<std::size_t>(status)) + U32(requestId) + '\x01' +
         Attribute(0x47, "attributes-charset", "utf-8") + Attribute(0x48, "attributes-natural-language", "en") +
         groups + '\x03';
}
std::string Http(const std::string& status, const std::string& body) {
  return "HTTP/1.1 " + status + "\r\nContent-Type: application/ipp\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + body;
}

}  // namespace

int Listen(int& port, int backlog) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  // A printer's buffer is small (and loopback's, grown, would hold a whole run).
  const int buffer = 128 * 1024;
  ::setsockopt(s, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof a;
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::listen(s, backlog);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
  port = ntohs(a.sin_port);
  return s;
}

std::string HostStatusAnswer(bool paperOut, bool paused, int formatsWaiting) {
  char one[64];
  std::snprintf(one, sizeof one, "030,%d,%d,1245,%03d,0,0,0,000,0,0,0", paperOut, paused, formatsWaiting);
  return "\x02" + std::string(one) +
         "\x03\r\n\x02"
         "001,0,0,0,1,2,6,0,00000000,1,000\x03\r\n\x02"
         "1234,0\x03\r\n";
}

FakeLabelPrinter::FakeLabelPrinter(RawBehaviour behaviour) : b_(std::move(behaviour)) {
  listener_ = Listen(port_, b_.backlog);
  thread_ = AcceptLoop(this, listener_, b_.jobs, stop_);
}

FakeLabelPrinter::~FakeLabelPrinter() {
  Held();
  ::close(listener_);
}

void FakeLabelPrinter::Serve(int c) {
  if (!b_.reads) {
    const std::lock_guard<std::mutex> hold(lock_);
    open_.push_back(c);
    return;
  }
  std::string got;
  char chunk[1 << 16];
  for (std::size_t scanned = 0; got.size() < b_.closeAfter;) {
    if (!Readable(c, 50)) {
      if (stop_) break;
      continue;
    }
    std::size_t want =
        b_.bytesPerSecond > 0 && !stop_ ? std::max<std::size_t>(b_.bytesPerSecond / 100, 1) : sizeof chunk;
    want = std::min({want, sizeof chunk, b_.closeAfter - got.size()});
    const ssize_t n = ::read(c, chunk, want);
    if (n <= 0) break;
    got.append(chunk, static_cast<std::size_t>(n));
    const std::lock_guard<std::mutex> hold(lock_);
    received_ += static_cast<std::size_t>(n);
    for (std::size_t at; (at = got.find("~HS", scanned)) != std::string::npos; scanned = at + 3) {
      if (!b_.status.empty()) WriteAll(c, b_.status);
    }
    scanned = std::max(scanned, got.size() - std::min<std::size_t>(got.size(), 2));
    if (b_.bytesPerSecond > 0 && !stop_) Nap(10);
  }
  if (got.size() >= b_.closeAfter) got += TakenUnread(c);
  ::close(c);
  const std::lock_guard<std::mutex> hold(lock_);
  held_ += got;
}

std::size_t FakeLabelPrinter::Received() {
  const std::lock_guard<std::mutex> hold(lock_);
  return received_;
}

std::string FakeLabelPrinter::Held() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  const std::lock_guard<std::mutex> hold(lock_);
  for (const int c : open_) {
    char chunk[1 << 16];
    for (ssize_t n; (n = ::recv(c, chunk, sizeof chunk, MSG_DONTWAIT)) > 0;)
      held_.append(chunk, static_cast<std::size_t>(n));
    ::close(c);
  }
  open_.clear();
  return held_;
}

int WholeLabels(const std::string& zpl, bool* partAfter) {
  int labels = 0;
  std::size_t at = 0;
  for (std::size_t end; (end = zpl.find("^XZ", at)) != std::string::npos; at = end + 3) ++labels;
  if (partAfter != nullptr) *partAfter = zpl.find("^XA", at) != std::string::npos;
  return labels;
}

FakeIppPrinter::FakeIppPrinter(IppBehaviour behaviour) : b_(behaviour) {
  listener_ = Listen(port_);
  thread_ = std::thread([this] {
    while (!stop_) {
      if (!Readable(listener_, 50)) continue;
      const int c = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (c >= 0) connections_.emplace_back([this, c] { Serve(c); });
    }
  });
}

FakeIppPrinter::~FakeIppPrinter() {
  stop_ = true;
  thread_.join();
  for (std::thread& t : connections_) t.join();
  ::close(listener_);
}

int FakeIppPrinter::Jobs() { return jobs_; }
int FakeIppPrinter::Cancels() { return cancels_; }

void FakeIppPrinter::Serve(int c) {
  std::string in;
  const auto more = [&](std::size_t at_least, int pace) {
    char chunk[1 << 16];
    while (in.size() < at_least && !stop_) {
      if (!Readable(c, 50)) continue;
      const ssize_t n = ::read(c, chunk, pace > 0 ? std::min<std::size_t>(pace, sizeof chunk) : sizeof chunk);
      if (n <= 0) return false;
      in.append(chunk, static_cast<std::size_t>(n));
      if (pace > 0) Nap(10);
    }
    return in.size() >= at_least;
  };
  for (std::size_t end; !stop_;) {
    while ((end = in.find("\r\n\r\n")) == std::string::npos) {
      if (!more(in.size() + 1, 0)) return (void)::close(c);
    }
    const std::string head = in.substr(0, end + 4);
    in.erase(0, end + 4);
    if (head.find("100-continue") != std::string::npos) WriteAll(c, "HTTP/1.1 100 Continue\r\n\r\n");
    const std::size_t length_at = head.find("Content-Length: ");
    const std::size_t length = length_at == std::string::npos ? 0 : std::stoul(head.substr(length_at + 16));
    const bool document = length > 4096;
    if (!more(length, document && b_ == IppBehaviour::ReadsSlowly ? 1000 : 0)) return (void)::close(c);
    const std::string body = in.substr(0, length);
    in.erase(0, length);
    if (b_ == IppBehaviour::Hangs) {
      while (!stop_) Nap(50);
      break;
    }
    const int operation =
        length >= 8 ? (static_cast<unsigned char>(body[2]) << 8) | static_cast<unsigned char>(body[3]) : 0;
    const int id = length >= 8 ? static_cast<int>(static_cast<unsigned char>(body[7])) : 0;
    WriteAll(c, Answer(operation, id, body));
  }
  ::close(c);
}

std::string FakeIppPrinter::Answer(int operation, int id, const std::string& body) {
  constexpr int kPrintJob = 2, kCancelJob = 8, kGetJob = 9;
  if (b_ == IppBehaviour::Answers500 || (b_ == IppBehaviour::FailsAfterJob && operation == kGetJob)) {
    return Http("500 Internal Server Error", "");
  }
  std::string groups = "\x04" + Attribute(0x23, "printer-state", U32(3)) +
                       Attribute(0x44, "printer-state-reasons", "none") +
                       Attribute(0x49, "document-format-supported", "application/pdf") +
                       Attribute(0x44, "media-default", "iso_a4_210x297mm");
  if (operation == kPrintJob) {
    if (b_ == IppBehaviour::BusyTwice && busy_++ < 2) {
      return Http("200 OK",
                  IppMessage(0x0507, id, Attribute(0x41, "status-message", "Currently printing another job")));
    }
    ++jobs_;
    for (std::size_t at = 0; (at = body.find("/Type /Page", at)) != std::string::npos; at += 11) {
      pages_ += body.compare(at + 11, 1, "s") != 0 ? 1 : 0;
    }
    groups = "\x02" + Attribute(0x21, "job-id", U32(1)) + Attribute(0x23, "job-state", U32(3));
  } else if (operation == kGetJob) {
    const bool done = b_ != IppBehaviour::StaysPending;
    groups = "\x02" + Attribute(0x21, "job-id", U32(1)) + Attribute(0x23, "job-state", U32(done ? 9 : 3)) +
             Attribute(0x21, "job-impressions-completed", U32(done ? pages_ : 0));
  } else if (operation == kCancelJob) {
    ++cancels_;
    groups.clear();
  }
  const std::string message = IppMessage(0, id, groups);
  if (b_ == IppBehaviour::Truncated) return Http("200 OK", message.substr(0, message.size() / 2));
  return Http("200 OK", message);
}

}  // namespace velmora::test
