#pragma once
// A label printer on raw TCP ("port 9100"): the bytes of a job sent as they
// are, over one connection, to socket://HOST[:PORT].
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora::print {

// A printer that could not be reached or did not take the whole job; the
// message is one line naming the destination.
class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SocketDestination {
  std::string host;
  std::string port = "9100";
  std::string Uri() const;  // socket://HOST:PORT, as given
};

// "socket://printer.local", "socket://10.0.0.7:9101", "socket://[::1]:9100";
// nothing for any other text. Throws PrintError for a socket URI without a host
// or with a port that is not a number from 1 to 65535.
std::optional<SocketDestination> ParseSocketDestination(std::string_view text);

// Sends `job` whole and waits for the printer to close its side or `seconds`
// to pass. Throws PrintError: no such host, connection refused, the printer
// closing the connection before the job was sent (with how much it took).
void SendRaw(const SocketDestination& destination, std::string_view job, int seconds = 30);

}  // namespace velmora::print
