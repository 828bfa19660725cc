// A printer's answer to ~HS: any bytes give a status or none, never a crash,
// and a status read is one whose counts are not negative.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "print/HostStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto status = velmora::print::ParseHostStatus(std::string_view(reinterpret_cast<const char*>(data), size));
  if (status && (status->formatsInBuffer < 0 || status->labelsRemaining < 0)) std::abort();
  if (status) velmora::print::JoinedProblems(status->Problems());
  return 0;
}
