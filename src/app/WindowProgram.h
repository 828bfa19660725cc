#pragma once
// The window lives in a program of its own, velmora-wizard-window, which links
// Qt; velmora-wizard hands a run that shows a window over to it, so that runs
// without a window (scripts, --help, --version) never load Qt.
#include <string>

namespace velmora::app {

// VELMORA_WINDOW_PROGRAM when set; else beside this executable; else in the
// installed library folder (lib/velmora-wizard/) relative to this executable's.
std::string WindowProgramPath();

// Replaces this process by the window program with the same arguments, which
// finds the data files where this one found them. Returns only when the program
// could not be started, having said why on standard error: the status to exit with.
int StartWindowProgram(char** argv);

}  // namespace velmora::app
