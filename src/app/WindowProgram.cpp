#include "WindowProgram.h"
#include "platform/ExitStatus.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "platform/ProgramDirectory.h"

#ifndef VELMORA_WINDOW_INSTALL_DIR
#define VELMORA_WINDOW_INSTALL_DIR "lib/velmora-wizard"
#endif

namespace velmora::app {

namespace fs = std::filesystem;

constexpr const char* kWindowProgram = "velmora-wizard-window";

std::string WindowProgramPath() {
  if (const char* chosen = std::getenv("VELMORA_WINDOW_PROGRAM"); chosen != nullptr && *chosen != '\0') return chosen;
  std::error_code error;
  const fs::path folder = ExecutableDirectory();
  const fs::path beside = folder / kWindowProgram;
  if (fs::exists(beside, error)) return beside.string();
  return (folder / ".." / VELMORA_WINDOW_INSTALL_DIR / kWindowProgram).lexically_normal().string();
}

int StartWindowProgram(char** argv) {
  const std::string path = WindowProgramPath();
  // The window program lives in another folder once installed: it is told where
  // the data files are rather than looking from its own.
  ::setenv("VELMORA_DATA_DIR", ProgramDirectory().c_str(), 1);
  std::cout.flush();
  ::execv(path.c_str(), argv);
  const int error = errno;
  std::cerr << "velmora-wizard: " << path << ": cannot start the window program (" << std::strerror(error) << ")"
            << std::endl;
  return kStatusRunTimeError;
}

}  // namespace velmora::app
