#include "platform/ProcessExit.h"

#include <cstdio>
#include <cstdlib>

namespace velmora {
namespace {

EndProcessHandler& Handler() {
  static EndProcessHandler handler;
  return handler;
}

}  // namespace

EndProcessHandler SetEndProcessHandler(EndProcessHandler handler) {
  EndProcessHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void EndProcess(int status) {
  if (Handler()) {
    Handler()(status);
    throw ProcessEnded(status);
  }
  std::fflush(nullptr);  // what was printed reaches the reader; nothing else is cleaned up
  std::_Exit(status);
}

}  // namespace velmora
