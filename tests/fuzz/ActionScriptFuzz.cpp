// Action scripts: any script plays the wizard to an end, or stops at a line.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/ProcessExit.h"
#include "wizard/HeadlessRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string host = [] {
    char dir[] = "/tmp/velmora-fuzz-XXXXXX";
    const std::string made = mkdtemp(dir) != nullptr ? std::string(dir) : std::string("/tmp");
    velmora::SetEndProcessHandler([](int) {});
    return made;
  }();
  // "preview FILE" writes wherever FILE says: not a thing for random input to do.
  if (std::string_view(reinterpret_cast<const char*>(data), size).find("preview") != std::string_view::npos) return 0;
  velmora::HeadlessRunOptions options;
  options.DataDir = VELMORA_FUZZ_DATA_DIR;
  options.HostDir = host;
  options.VariableNames = {"LOT", "SERIAL"};
  options.Script = std::string(reinterpret_cast<const char*>(data), size);
  std::ostringstream out;
  std::ostringstream err;
  velmora::RunHeadless(options, out, err);
  return 0;
}
