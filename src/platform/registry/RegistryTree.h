#pragma once
// The registry's keys and values in memory, as read from and written to a file
// in the registry editor's export format.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora {

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_DWORD_BIG_ENDIAN = 5;
inline constexpr std::uint32_t REG_LINK = 6;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

inline constexpr std::uint32_t HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr std::uint32_t HKEY_CURRENT_USER = 0x80000001;
inline constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr std::uint32_t HKEY_USERS = 0x80000003;
inline constexpr std::uint32_t HKEY_CURRENT_CONFIG = 0x80000005;

struct RegistryValue {
  std::string Name;  // empty for the key's default value
  std::uint32_t Type = REG_NONE;
  std::string Data;  // bytes as the ANSI calls give them; texts in UTF-8 with their zeros
};

struct RegistryKey {
  std::string Path;  // "HKEY_CLASSES_ROOT\CLSID\..." as first written
  std::vector<RegistryValue> Values;

  // Value names compare without regard to letter case.
  const RegistryValue* Find(const std::string& name) const;
  void Set(RegistryValue value);  // replaces the value of that name, or adds it
  void Remove(const std::string& name);
};

// Keys by their upper-cased full path, so that a parent sorts before its
// children and children sort by name, as the registry lists them.
struct RegistryTree {
  std::map<std::string, RegistryKey> Keys;
  bool Readable = true;  // false when the file is not in the export format at all

  // The long name of a root ("HKEY_CLASSES_ROOT"), or empty for an unknown handle.
  static std::string RootName(std::uint32_t root);
  static std::string Fold(const std::string& path);

  RegistryKey* Find(const std::string& path);
  // Creates the key and every missing key above it.
  RegistryKey& Create(const std::string& path);
  void Remove(const std::string& path);  // the key and its subtree
  // The names of the direct children of `path`, in order.
  std::vector<std::string> Children(const std::string& path) const;
};

// Reads a file exported by the registry editor (version 5 in UTF-16LE or
// UTF-8, or REGEDIT4): as far as it is well formed; a value that cannot be
// parsed is skipped.
RegistryTree ParseRegistryFile(const std::string& bytes);

// Writes the tree as the registry editor exports it: version 5, UTF-16LE with
// a byte-order mark, CRLF line ends.
std::string FormatRegistryFile(const RegistryTree& tree);

}  // namespace velmora
