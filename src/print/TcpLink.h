#pragma once
// One TCP connection to a label printer, with the two facts a print run needs
// beyond a socket: connecting within a limit, interruptibly, and how many of
// the bytes written the printer has acknowledged (they reached its buffer; the
// rest may still be in ours).
#include <cstdint>
#include <string>
#include <string_view>

#include "print/Patience.h"

namespace velmora::print {

struct SocketDestination;

// A connected non-blocking socket to `host`:`port`, tried for the patience's
// limit; -1 with `why` ("Connection refused", "no answer in 30 s",
// "interrupted") when none could be made.
int ConnectTcp(const std::string& host, const std::string& port, const Patience& patience, std::string& why);

class TcpLink {
 public:
  // Connected to the first address of `destination` that answers, trying for
  // the patience's limit; throws PrintError (no such host, refused, no answer,
  // interrupted) naming the destination.
  TcpLink(const SocketDestination& destination, const Patience& patience);
  ~TcpLink();
  TcpLink(const TcpLink&) = delete;
  TcpLink& operator=(const TcpLink&) = delete;

  // Writes what the connection takes now of `bytes`, without waiting: the
  // count (0 when its buffer is full), or -1 with errno once it is closed.
  long Offer(std::string_view bytes);
  // Waits at most `ms` for the connection to take more (`writable`) or for an
  // answer; false when nothing happened.
  bool Wait(bool writable, int ms) const;
  // What the printer sent that is waiting, without blocking ("" for nothing).
  std::string Answer();
  // Of the bytes written, those the printer acknowledged; and those not yet.
  std::uint64_t Acknowledged() const;
  std::uint64_t Written() const { return written_; }
  // The connection failed (the printer reset or closed it): why, or "".
  std::string Failure();
  // Ends the connection at once, dropping what the printer has not acknowledged
  // (a reset), so that no part of a label still in our buffer reaches it later.
  void Drop();

 private:
  std::uint64_t TotalAcknowledged() const;  // by the connection's count, the handshake's included
  int fd_ = -1;
  std::uint64_t written_ = 0;
  int error_ = 0;                    // what ended the connection
  std::uint64_t ackedAtStart_ = 0;   // what the handshake counts
  mutable std::uint64_t acked_ = 0;  // the last count, kept once the connection is dropped
};

}  // namespace velmora::print
