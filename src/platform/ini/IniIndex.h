#pragma once
// A parsed settings file's index as plain arrays: what IniDocument searches,
// whether it built them at run time or they were compiled in for a file the
// program ships (FrozenProfiles.h).
#include <cstdint>
#include <span>
#include <string_view>

namespace velmora {

// A place in the document's text. 32 bits: a settings file is read up to its first 4 GiB.
struct IniSpan {
  std::uint32_t pos = 0;
  std::uint32_t size = 0;
};

struct IniKey {
  IniSpan name;
  IniSpan value;
  std::uint32_t hash = 0;  // of the name, without regard to case
};

struct IniSection {
  IniSpan name;
  std::uint32_t hash = 0;      // of the name, without regard to case
  std::uint32_t firstKey = 0;  // its keys are keys[firstKey, firstKey + keyCount), in the file's order
  std::uint32_t keyCount = 0;
  std::uint32_t firstSlot = 0;  // its key table is slots[firstSlot, firstSlot + slotCount)
  std::uint32_t slotCount = 0;
};

// Open addressing by case-blind hash, a power of two slots each: a key's (or,
// in sectionSlots, a section's) number + 1, 0 when free.
struct IniIndex {
  std::string_view text;
  std::span<const IniKey> keys;
  std::span<const IniSection> sections;  // in the file's order
  std::span<const std::uint32_t> slots;
  std::span<const std::uint32_t> sectionSlots;
};

}  // namespace velmora
