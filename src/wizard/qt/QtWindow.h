#pragma once
// The window program's way into Qt: makes the Qt application and the window's
// view and runs a session in it. Only velmora-wizard-window links it, so that
// the wizard's own program never maps Qt.
#include <functional>

namespace velmora {

class WindowView;

// Runs `session` with the real window's view and returns its result; 3 when
// the display cannot be opened (said on standard error).
int RunInQtWindow(int argc, char** argv, const std::function<int(WindowView&)>& session);

}  // namespace velmora
