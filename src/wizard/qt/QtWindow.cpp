#include "wizard/qt/QtWindow.h"
#include "platform/ExitStatus.h"

#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>

#include "wizard/qt/QtWizardView.h"

namespace {

// Qt ends the process when the X display it is given cannot be opened: look
// first, and say so as when there is no display at all.
bool DisplayOpens() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0' && std::string(platform).rfind("xcb", 0) != 0) return true;
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland != nullptr && *wayland != '\0') return true;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool opens = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return opens;
}

// Root's sessions often have no XDG_RUNTIME_DIR; Qt then makes one of its own
// and warns on standard error. The same private folder, made here, says nothing.
void EnsureRuntimeDir() {
  const char* set = std::getenv("XDG_RUNTIME_DIR");
  if (set != nullptr && *set != '\0') return;
  const std::string dir = "/tmp/runtime-" + std::to_string(::getuid());
  struct stat st {};
  if (::mkdir(dir.c_str(), 0700) != 0 &&
      (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())) {
    return;  // not ours: Qt says what it finds
  }
  ::chmod(dir.c_str(), 0700);
  ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
}

}  // namespace

namespace velmora {

int RunInQtWindow(int argc, char** argv, const std::function<int(WindowView&)>& session) {
  if (!DisplayOpens()) {
    const char* display = std::getenv("DISPLAY");
    std::cerr << "velmora-wizard: cannot open the display " << (display != nullptr ? display : "")
              << "; run with --script FILE (and --headless for serve) to play the user from a script" << std::endl;
    return kStatusNoDisplay;
  }
  EnsureRuntimeDir();
  QApplication qt(argc, argv);
  QApplication::setApplicationName(QStringLiteral("EAN 128"));
  QtWizardView view;
  return session(view);
}

}  // namespace velmora
