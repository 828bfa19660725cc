#include "platform/CommandLine.h"

namespace velmora {
namespace {

std::string& Stored() {
  static std::string line;
  return line;
}

}  // namespace

void SetCommandLine(int argc, const char* const* argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  Stored() = line;
}

const std::string& CommandLine() { return Stored(); }

}  // namespace velmora
