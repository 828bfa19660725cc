// The automation server on any input lines: it answers, it never dies. The
// wizard's window is played by a one-line script on the shipped data.
#include <cstdint>
#include <sstream>
#include <string>

#include "automation/JsonRpcServer.h"
#include "platform/ProcessExit.h"
#include "platform/ProgramDirectory.h"
#include "settings/HostDirectory.h"
#include "wizard/HeadlessView.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool prepared = [] {
    velmora::SetProgramDirectoryOverride(VELMORA_FUZZ_DATA_DIR);
    velmora::SetHostDirectoryOverride("/nonexistent-velmora-host");
    velmora::SetEndProcessHandler([](int) {});
    return true;
  }();
  (void)prepared;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  std::ostringstream err;
  velmora::HeadlessView view("cancel\n", {velmora::History(), velmora::Globals()}, err, err);
  try {
    velmora::JsonRpcServer(in, out, view).Serve();
  } catch (const velmora::ProcessEnded&) {
    // the wizard ended the process, as it must for a missing data file
  } catch (const velmora::ScriptError&) {
  }
  return 0;
}
