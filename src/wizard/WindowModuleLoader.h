#pragma once
// Shows the real window: loads the window module (velmora-wizard-qt.so) only
// now, so that runs without a window never map Qt.
#include <functional>
#include <stdexcept>
#include <string>

#include "wizard/WindowView.h"

namespace velmora {

// The module could not be found or loaded; the message names the file.
class WindowModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where the module is: VELMORA_QT_MODULE when set; else beside the executable;
// else in the installed library folder (lib/velmora-wizard/ or the system's
// library folder) relative to the executable's folder.
std::string WindowModulePath();

// Runs `session` with the window's view; returns its result.
int RunInWindow(int argc, char** argv, const std::function<int(WindowView&)>& session);

}  // namespace velmora
