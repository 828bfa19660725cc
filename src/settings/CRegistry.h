#pragma once
// Reads and writes single registry values and lists a key's children or
// values, converting between registry data and the wizard's values. Keeps no
// state: every operation opens its key, works, and closes it.
#include <cstdint>
#include <string>

#include "base/Variant.h"
#include "platform/registry/RegistryTree.h"

namespace velmora {

inline constexpr std::int32_t emAbsolute = 1;

class CRegistry {
 public:
  // The value `subKey` (empty: the default value) of `key`; empty when it cannot be read.
  Variant Value(std::uint32_t root, const std::string& key, const std::string& subKey = "") const;
  // Stores `data`, creating the key and any missing keys above it.
  void SetValue(std::uint32_t root, const std::string& key, const std::string& subKey, const Variant& data) const;
  // True (-1) when the key has child keys; `varArray` receives their names,
  // prefixed with `key` and a backslash when `mode` is emAbsolute.
  std::int32_t EnumKeys(std::uint32_t root, const std::string& key, Variant& varArray,
                        const std::int32_t* mode = nullptr) const;
  // True (-1) when a value was read; `varArray` receives name, value, name, value...
  std::int32_t EnumValues(std::uint32_t root, const std::string& key, Variant& varArray) const;

  // Registry data (one character per byte) of `valueType` as a value.
  static Variant ConvertValue(const std::string& data, std::uint32_t valueType);
};

}  // namespace velmora
