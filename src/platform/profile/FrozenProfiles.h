#pragma once
// The settings files the program ships (its catalogue and page texts), parsed
// at build time (tools/FreezeProfiles.cpp): a run that reads one of them as
// shipped searches the compiled-in index instead of parsing 50 KB of text.
#include <span>
#include <string_view>

#include "platform/ini/IniIndex.h"

namespace velmora {

struct FrozenProfile {
  std::string_view bytes;  // the file as shipped, byte for byte
  IniIndex index;          // its text decoded and parsed
};

// Made by the build from data/.
std::span<const FrozenProfile> FrozenProfiles();

// The shipped file whose bytes these are, or nullptr.
const FrozenProfile* FindFrozenProfile(std::string_view bytes);

}  // namespace velmora
