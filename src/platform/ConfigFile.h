#pragma once
#include <string>

namespace velmora {

// A stand-in file of the platform: the one the environment variable
// `overrideVariable` names, else $XDG_CONFIG_HOME/velmora/`fileName`, else
// ~/.config/velmora/`fileName`.
std::string ConfigFilePath(const char* overrideVariable, const std::string& fileName);

}  // namespace velmora
