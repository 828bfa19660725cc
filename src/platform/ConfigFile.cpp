#include "platform/ConfigFile.h"

#include <cstdlib>

namespace velmora {
namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

}  // namespace

std::string ConfigFilePath(const char* overrideVariable, const std::string& fileName) {
  const std::string config = EnvOr("XDG_CONFIG_HOME", EnvOr("HOME", ".") + "/.config");
  return EnvOr(overrideVariable, config + "/velmora/" + fileName);
}

}  // namespace velmora
