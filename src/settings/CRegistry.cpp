#include "settings/CRegistry.h"

#include "platform/registry/RegistryApi.h"

namespace velmora {
namespace {

constexpr std::uint32_t kFirstBuffer = 1024;
constexpr std::uint32_t kEnumBuffer = 260;

// The bytes read as a signed number of 32 bits, or of 16 when there are at
// most two, as a hexadecimal text is read.
double BytesAsNumber(const std::string& data, bool littleEndian) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < data.size() && i < 4; ++i) {
    const std::size_t at = littleEndian ? data.size() - 1 - i : i;
    value = (value << 8) | static_cast<unsigned char>(data[at]);
  }
  // Read as 32 bits whatever the size: one or two bytes never come out negative.
  return static_cast<std::int32_t>(value);
}

Variant MultiText(const std::string& data) {
  Variant::Array items;
  std::size_t pos = 0;
  for (std::size_t zero = data.find('\0'); zero != std::string::npos; zero = data.find('\0', pos)) {
    if (zero == pos) break;  // an empty text ends the list
    items.emplace_back(data.substr(pos, zero - pos));
    pos = zero + 1;
  }
  return Variant(std::move(items));
}

// The text of a value as it is stored for REG_SZ and REG_MULTI_SZ elements.
std::string GeneralText(const Variant& v) { return v.Type() == VarType::Null ? std::string() : v.ToText(); }

class OpenKey {
 public:
  OpenKey(std::uint32_t root, const std::string& key, std::uint32_t access) {
    ok_ = RegOpenKeyExA(root, key, 0, access, &handle_) == ERROR_SUCCESS;
  }
  ~OpenKey() {
    if (ok_) RegCloseKey(handle_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  bool Ok() const { return ok_; }
  HKEY Handle() const { return handle_; }

 private:
  HKEY handle_ = 0;
  bool ok_ = false;
};

}  // namespace

Variant CRegistry::Value(std::uint32_t root, const std::string& key, const std::string& subKey) const {
  const OpenKey k(root, key, KEY_READ);
  if (!k.Ok()) return {};
  std::uint32_t type = 0;
  std::uint32_t size = kFirstBuffer;
  std::string data;
  long result = RegQueryValueExA(k.Handle(), subKey, &type, &data, &size);
  if (result == ERROR_MORE_DATA) result = RegQueryValueExA(k.Handle(), subKey, &type, &data, &size);
  if (result != ERROR_SUCCESS) return {};
  return ConvertValue(data.substr(0, size), type);
}

void CRegistry::SetValue(std::uint32_t root, const std::string& key, const std::string& subKey,
                         const Variant& data) const {
  HKEY handle = 0;
  if (RegCreateKeyExA(root, key, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
  switch (data.Type()) {
    case VarType::Null: RegSetValueExA(handle, subKey, REG_DWORD, std::string(4, '\0')); break;
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean: {
      const auto value = static_cast<std::uint32_t>(data.ToLong());
      std::string bytes;
      for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
      RegSetValueExA(handle, subKey, REG_DWORD, bytes);
      break;
    }
    case VarType::Double:
    case VarType::String: RegSetValueExA(handle, subKey, REG_SZ, data.ToText() + '\0'); break;
    case VarType::Array: {
      std::string bytes;
      for (const Variant& item : *data.AsArray()) bytes += GeneralText(item) + '\0';
      RegSetValueExA(handle, subKey, REG_MULTI_SZ, bytes + '\0');
      break;
    }
    default: break;  // empty, objects: nothing is written
  }
  RegCloseKey(handle);
}

std::int32_t CRegistry::EnumKeys(std::uint32_t root, const std::string& key, Variant& varArray,
                                 const std::int32_t* mode) const {
  Variant::Array names{Variant("")};
  varArray = Variant(names);
  const OpenKey k(root, key, KEY_ALL_ACCESS);
  if (!k.Ok()) return 0;
  const std::string prefix = mode != nullptr && *mode != 0 ? key + "\\" : std::string();
  std::uint32_t i = 0;
  for (std::string name; RegEnumKeyA(k.Handle(), i, &name, kEnumBuffer) == ERROR_SUCCESS; ++i) {
    names.resize(i + 1);
    names[i] = Variant(prefix + name.substr(0, name.find('\0')));
  }
  varArray = Variant(names);
  return i > 0 ? -1 : 0;
}

std::int32_t CRegistry::EnumValues(std::uint32_t root, const std::string& key, Variant& varArray) const {
  Variant::Array items{Variant(""), Variant("")};
  varArray = Variant(items);
  const OpenKey k(root, key, KEY_ALL_ACCESS);
  if (!k.Ok()) return 0;
  std::size_t n = 1;
  std::uint32_t i = 0;
  for (;; ++i) {
    std::string name;
    std::string data;
    std::uint32_t nameSize = kEnumBuffer;
    std::uint32_t dataSize = kEnumBuffer;
    std::uint32_t type = 0;
    if (RegEnumValueA(k.Handle(), i, &name, &nameSize, &type, &data, &dataSize) != ERROR_SUCCESS) break;
    items.resize(n + 1);
    if (!name.empty()) {
      items[n - 1] = Variant(name.substr(0, nameSize));
      items[n] = ConvertValue(data.substr(0, dataSize), type);
      n += 2;
    }
  }
  varArray = Variant(items);
  return i > 0 ? -1 : 0;
}

Variant CRegistry::ConvertValue(const std::string& data, std::uint32_t valueType) {
  switch (valueType) {
    case REG_SZ:
    case REG_EXPAND_SZ: return Variant(data.ends_with('\0') ? data.substr(0, data.size() - 1) : data);
    case REG_BINARY:
    case REG_LINK: return Variant(data);
    case REG_DWORD: return Variant(BytesAsNumber(data, true));
    case REG_DWORD_BIG_ENDIAN: return Variant(BytesAsNumber(data, false));
    case REG_MULTI_SZ: return MultiText(data);
    default: return {};
  }
}

}  // namespace velmora
