#include "wizard/HeadlessRun.h"
#include "platform/ExitStatus.h"

#include <ostream>

#include "base/GlobalValues.h"
#include "base/RuntimeError.h"
#include "ids/HistoryState.h"
#include "platform/ProcessExit.h"
#include "platform/ProgramDirectory.h"
#include "settings/HostDirectory.h"
#include "wizard/FMain.h"
#include "wizard/HeadlessView.h"
#include "wizard/VariableNameList.h"

namespace velmora {

HeadlessRunResult RunHeadless(const HeadlessRunOptions& options, std::ostream& out, std::ostream& err) {
  SetProgramDirectoryOverride(options.DataDir);
  SetHostDirectoryOverride(options.HostDir);
  VariableNames() = std::make_shared<FixedVariableNames>(options.VariableNames);
  HeadlessView view(options.Script, {History(), Globals()}, out, err);
  FMain window(view);
  HeadlessRunResult result;
  try {
    window.Show();
  } catch (const ScriptError& e) {
    err << e.what() << std::endl;
    result.Status = kStatusUsage;
  } catch (const RuntimeError& e) {
    err << "run-time error " << e.Number() << ": " << e.Description() << std::endl;
    result.Status = kStatusRunTimeError;
  } catch (const ProcessEnded& e) {
    result.Status = e.Status;
  }
  result.TemplateFile = Globals().TemplateFile;
  return result;
}

}  // namespace velmora
