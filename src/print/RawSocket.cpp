#include "print/RawSocket.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace velmora::print {
namespace {

struct AddressList {
  void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

class Socket {
 public:
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int Fd() const { return fd_; }

 private:
  int fd_;
};

// A connected socket to the first address of the destination that answers.
int Connect(const SocketDestination& d) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int error = ::getaddrinfo(d.host.c_str(), d.port.c_str(), &hints, &found); error != 0) {
    throw PrintError(d.Uri() + ": " + ::gai_strerror(error));
  }
  const std::unique_ptr<addrinfo, AddressList> list(found);
  int lastError = 0;
  for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) return fd;
    lastError = errno;
    ::close(fd);
  }
  throw PrintError(d.Uri() + ": cannot connect (" + std::strerror(lastError) + ")");
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

void SendRaw(const SocketDestination& d, std::string_view job, int seconds) {
  const Socket socket(Connect(d));
  for (std::size_t sent = 0; sent < job.size();) {
    const ssize_t n = ::send(socket.Fd(), job.data() + sent, job.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      throw PrintError(d.Uri() + ": the printer closed the connection after " + std::to_string(sent) + " of " +
                       std::to_string(job.size()) + " bytes (" + std::strerror(errno) + ")");
    }
    sent += static_cast<std::size_t>(n);
  }
  ::shutdown(socket.Fd(), SHUT_WR);
  // The job is the printer's once it has read it all: wait for it to close its side.
  pollfd done{socket.Fd(), POLLIN, 0};
  char drain[512];
  ssize_t n = 0;
  while (::poll(&done, 1, seconds * 1000) > 0 && (n = ::read(socket.Fd(), drain, sizeof drain)) > 0) {
  }
  if (n < 0 && errno == ECONNRESET) {  // it closed with part of the job unread
    throw PrintError(d.Uri() + ": the printer closed the connection before it took the whole job of " +
                     std::to_string(job.size()) + " bytes");
  }
}

}  // namespace velmora::print
