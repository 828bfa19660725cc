#include "platform/ProgramDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/PathLookup.h"

#ifndef VELMORA_DATA_INSTALL_DIR
#define VELMORA_DATA_INSTALL_DIR "share/velmora-wizard"
#endif

namespace velmora {
namespace {

std::string StripTrailingSeparator(std::string dir) {
  while (dir.size() > 1 && dir.back() == kPathSeparator) dir.pop_back();
  return dir;
}

std::string& Override() {
  static std::string directory;
  return directory;
}

}  // namespace

std::string ExecutableDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

void SetProgramDirectoryOverride(const std::string& directory) { Override() = directory; }

std::string ProgramDirectory() {
  if (!Override().empty()) return StripTrailingSeparator(Override());
  if (const char* dir = std::getenv("VELMORA_DATA_DIR"); dir != nullptr && *dir != '\0') {
    return StripTrailingSeparator(dir);
  }
  const std::string exeDir = ExecutableDirectory();
  std::error_code ec;
  if (!exeDir.empty() && std::filesystem::exists(ResolvePath(exeDir + "/ID128.inf"), ec)) return exeDir;
  // Installed: the data folder relative to the executable's (bin/../share/...),
  // so that a moved or packaged tree still finds its data.
  const std::filesystem::path installed(VELMORA_DATA_INSTALL_DIR);
  if (installed.is_absolute() || exeDir.empty()) return StripTrailingSeparator(installed.string());
  return (std::filesystem::path(exeDir) / ".." / installed).lexically_normal().string();
}

}  // namespace velmora
