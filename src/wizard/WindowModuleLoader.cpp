#include "wizard/WindowModuleLoader.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ProgramDirectory.h"

#ifndef VELMORA_MODULE_INSTALL_DIR
#define VELMORA_MODULE_INSTALL_DIR "lib/velmora-wizard"
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr const char* kModuleName = "velmora-wizard-qt.so";

using EntryPoint = int (*)(int, char**, int (*)(WindowView&, void*), void*);

int CallSession(WindowView& view, void* context) {
  return (*static_cast<const std::function<int(WindowView&)>*>(context))(view);
}

}  // namespace

std::string WindowModulePath() {
  if (const char* chosen = std::getenv("VELMORA_QT_MODULE"); chosen != nullptr && *chosen != '\0') return chosen;
  std::error_code error;
  const fs::path folder = ExecutableDirectory();
  const fs::path beside = folder / kModuleName;
  if (fs::exists(beside, error)) return beside.string();
  // Installed: the module folder relative to the executable's (bin/../lib/...).
  return (folder / ".." / VELMORA_MODULE_INSTALL_DIR / kModuleName).lexically_normal().string();
}

int RunInWindow(int argc, char** argv, const std::function<int(WindowView&)>& session) {
  const std::string path = WindowModulePath();
  // Loaded for good: Qt keeps threads and handlers that outlive the window.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* why = ::dlerror();
    throw WindowModuleError(path + ": cannot load the window module (" + (why != nullptr ? why : "unknown") + ")");
  }
  const auto entry = reinterpret_cast<EntryPoint>(::dlsym(module, "velmora_run_in_window"));
  if (entry == nullptr) throw WindowModuleError(path + ": not the window module (no velmora_run_in_window)");
  return entry(argc, argv, CallSession, const_cast<std::function<int(WindowView&)>*>(&session));
}

}  // namespace velmora
