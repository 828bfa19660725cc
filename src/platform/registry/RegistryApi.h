#pragma once
// The Windows registry calls, over a registry kept in a file in the registry
// editor's export format. Results are Windows error codes.
#include <cstdint>
#include <string>

#include "platform/registry/RegistryTree.h"

namespace velmora {

using HKEY = std::uint32_t;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_MORE_DATA = 234;
inline constexpr long ERROR_NO_MORE_ITEMS = 259;
inline constexpr long ERROR_BADDB = 1009;

inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0x2003F;

// VELMORA_REGISTRY, else $XDG_CONFIG_HOME/velmora/registry.reg, else
// ~/.config/velmora/registry.reg. A missing file is an empty registry.
std::string RegistryFilePath();

long RegOpenKeyExA(HKEY root, const std::string& subKey, std::uint32_t options, std::uint32_t samDesired, HKEY* result);
long RegCreateKeyExA(HKEY root, const std::string& subKey, std::uint32_t samDesired, HKEY* result);

// `*size` is the buffer's size on entry and the data's size on return; a
// buffer that is too small gives ERROR_MORE_DATA and the size needed.
long RegQueryValueExA(HKEY key, const std::string& valueName, std::uint32_t* type, std::string* data,
                      std::uint32_t* size);
long RegSetValueExA(HKEY key, const std::string& valueName, std::uint32_t type, const std::string& data);

// The name of child key `index`, at most bufferSize-1 characters.
long RegEnumKeyA(HKEY key, std::uint32_t index, std::string* name, std::uint32_t bufferSize);

// Value `index`: the name (its size without the zero on return) and the data;
// either buffer too small gives ERROR_MORE_DATA.
long RegEnumValueA(HKEY key, std::uint32_t index, std::string* name, std::uint32_t* nameSize, std::uint32_t* type,
                   std::string* data, std::uint32_t* dataSize);

long RegCloseKey(HKEY key);

}  // namespace velmora
