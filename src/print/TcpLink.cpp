#include "print/TcpLink.h"

#include <linux/tcp.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "print/RawSocket.h"

namespace velmora::print {
namespace {

struct AddressList {
  void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

// A small send buffer: what is not yet acknowledged stays small, so a job that
// is stopped leaves little in flight, and the count of what the printer took
// is always close to what was written.
constexpr int kSendBuffer = 32 * 1024;

// Connects `fd` to `a`, waiting in short slices for the limit, an error or an interruption.
int ConnectOne(int fd, const addrinfo* a, ProgressWatch& watch, const Patience& patience) {
  if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) return 0;
  if (errno != EINPROGRESS) return errno;
  for (;;) {
    pollfd p{fd, POLLOUT, 0};
    if (::poll(&p, 1, 100) > 0) {
      int error = 0;
      socklen_t length = sizeof error;
      ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
      return error;
    }
    if (patience.Interrupted() != 0) return EINTR;
    if (watch.Stalled()) return ETIMEDOUT;
  }
}

}  // namespace

int ConnectTcp(const std::string& host, const std::string& port, const Patience& patience, std::string& why) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int error = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); error != 0) {
    why = ::gai_strerror(error);
    return -1;
  }
  const std::unique_ptr<addrinfo, AddressList> list(found);
  ProgressWatch watch(patience.stallSeconds);
  int error = 0;
  for (addrinfo* a = found; a != nullptr && error != EINTR && error != ETIMEDOUT; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
    if (fd < 0) continue;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSendBuffer, sizeof kSendBuffer);
    if ((error = ConnectOne(fd, a, watch, patience)) == 0) return fd;
    ::close(fd);
  }
  why = error == EINTR       ? "interrupted"
        : error == ETIMEDOUT ? "no answer in " + SecondsText(patience.stallSeconds)
                             : std::strerror(error);
  return -1;
}

TcpLink::TcpLink(const SocketDestination& d, const Patience& patience) {
  std::string why;
  fd_ = ConnectTcp(d.host, d.port, patience, why);
  if (fd_ >= 0) {
    ackedAtStart_ = TotalAcknowledged();
    return;
  }
  if (const int signal = patience.Interrupted(); signal != 0) {
    throw PrintError(d.Uri() + ": interrupted while connecting; nothing was sent", signal);
  }
  if (why.starts_with("no answer")) {
    throw PrintError(d.Uri() + ": no connection in " + SecondsText(patience.stallSeconds) +
                     " (the printer does not answer, or is busy with another job); nothing was sent");
  }
  throw PrintError(d.Uri() + ": cannot connect (" + why + ")");
}

TcpLink::~TcpLink() {
  if (fd_ >= 0) ::close(fd_);
}

long TcpLink::Offer(std::string_view bytes) {
  const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  if (n >= 0) {
    written_ += static_cast<std::uint64_t>(n);
    return n;
  }
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
  error_ = errno;
  return -1;
}

bool TcpLink::Wait(bool writable, int ms) const {
  pollfd p{fd_, static_cast<short>(writable ? POLLOUT : POLLIN), 0};
  return ::poll(&p, 1, ms) > 0;
}

std::string TcpLink::Answer() {
  std::string answer;
  char chunk[512];
  for (ssize_t n; (n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT)) > 0;)
    answer.append(chunk, static_cast<std::size_t>(n));
  return answer;
}

std::uint64_t TcpLink::TotalAcknowledged() const {
  tcp_info info{};
  socklen_t length = sizeof info;
  return ::getsockopt(fd_, IPPROTO_TCP, TCP_INFO, &info, &length) == 0 ? info.tcpi_bytes_acked : 0;
}

std::uint64_t TcpLink::Acknowledged() const {
  if (fd_ < 0) return acked_;
  const std::uint64_t total = TotalAcknowledged();
  const std::uint64_t acked = total > ackedAtStart_ ? total - ackedAtStart_ : 0;
  acked_ = acked < written_ ? acked : written_;  // the closing FIN is acknowledged too
  return acked_;
}

std::string TcpLink::Failure() {
  if (error_ == 0) {
    socklen_t length = sizeof error_;
    ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error_, &length);
  }
  pollfd p{fd_, POLLOUT, 0};
  if (error_ == 0 && ::poll(&p, 1, 0) > 0 && (p.revents & (POLLERR | POLLHUP)) != 0) error_ = EPIPE;
  return error_ == 0 ? "" : std::string("the printer closed the connection (") + std::strerror(error_) + ")";
}

void TcpLink::Drop() {
  Acknowledged();
  const linger reset{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace velmora::print
