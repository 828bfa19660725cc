#pragma once
// The settings files the program ships (its catalogue and page texts), parsed
// at build time (tools/FreezeProfiles.cpp): a run that reads one of them as
// shipped searches the compiled-in index instead of parsing 50 KB of text.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/ini/IniIndex.h"

namespace velmora {

struct FrozenProfile {
  std::string_view bytes;  // the file as shipped, byte for byte
  IniIndex index;          // its text decoded and parsed
};

// Made by the build from data/.
std::span<const FrozenProfile> FrozenProfiles();

// The shipped file that the file at `path`, of `size` bytes, is byte for byte, or nullptr.
const FrozenProfile* ShippedProfileAt(const std::string& path, std::uint64_t size);

}  // namespace velmora
