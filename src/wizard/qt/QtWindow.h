#pragma once
// The one entry point of the window module (velmora-wizard-qt.so), which the
// executable loads only when a window is to be shown, so that headless runs
// never map Qt.
namespace velmora {

class WindowView;

// What runs in the window: the session with the real window's view.
using WindowSession = int (*)(WindowView& view, void* context);

}  // namespace velmora

// Makes the Qt application and the window's view, runs `session` in it and
// returns its result.
extern "C" int velmora_run_in_window(int argc, char** argv, velmora::WindowSession session, void* context);
