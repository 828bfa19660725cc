#include "platform/registry/RegistryApi.h"

#include <map>

#include "platform/ConfigFile.h"
#include "platform/FileAccess.h"

namespace velmora {
namespace {

constexpr std::uint32_t kWriteRights = 0x0006;  // KEY_SET_VALUE | KEY_CREATE_SUB_KEY

// Open keys by handle: the full path of each.
struct Handles {
  std::map<HKEY, std::string> open;
  HKEY next = 1;
};

Handles& TheHandles() {
  static Handles handles;
  return handles;
}

RegistryTree LoadTree() {
  std::string bytes;
  if (ReadWholeFile(RegistryFilePath(), bytes) != ReadStatus::Ok) return {};
  return ParseRegistryFile(bytes);
}

// The full path of `root` (a predefined root or an open key) joined with `subKey`.
bool FullPath(HKEY root, const std::string& subKey, std::string& path) {
  const std::string rootName = RegistryTree::RootName(root);
  if (!rootName.empty()) {
    path = rootName;
  } else {
    const auto found = TheHandles().open.find(root);
    if (found == TheHandles().open.end()) return false;
    path = found->second;
  }
  std::string rest = subKey;
  while (rest.starts_with('\\')) rest.erase(0, 1);
  while (rest.ends_with('\\')) rest.pop_back();
  if (!rest.empty()) path += "\\" + rest;
  return true;
}

HKEY NewHandle(const std::string& path) {
  Handles& h = TheHandles();
  const HKEY handle = h.next++;
  h.open[handle] = path;
  return handle;
}

// The key of an open handle in `tree`, or null.
RegistryKey* KeyOf(RegistryTree& tree, HKEY key) {
  std::string path;
  if (!FullPath(key, "", path)) return nullptr;
  return tree.Find(path);
}

long CopyOut(const std::string& bytes, std::string* out, std::uint32_t* size) {
  const auto needed = static_cast<std::uint32_t>(bytes.size());
  const std::uint32_t room = size != nullptr ? *size : 0;
  if (size != nullptr) *size = needed;
  if (out == nullptr) return ERROR_SUCCESS;
  if (needed > room) return ERROR_MORE_DATA;
  *out = bytes;
  return ERROR_SUCCESS;
}

}  // namespace

std::string RegistryFilePath() { return ConfigFilePath("VELMORA_REGISTRY", "registry.reg"); }

long RegOpenKeyExA(HKEY root, const std::string& subKey, std::uint32_t, std::uint32_t samDesired, HKEY* result) {
  std::string path;
  if (!FullPath(root, subKey, path)) return ERROR_INVALID_HANDLE;
  RegistryTree tree = LoadTree();
  if (!tree.Readable) return ERROR_BADDB;
  if (tree.Find(path) == nullptr && path != RegistryTree::RootName(root)) return ERROR_FILE_NOT_FOUND;
  if ((samDesired & kWriteRights) != 0 && IsReadOnlyFile(RegistryFilePath())) return ERROR_ACCESS_DENIED;
  *result = NewHandle(path);
  return ERROR_SUCCESS;
}

long RegCreateKeyExA(HKEY root, const std::string& subKey, std::uint32_t, HKEY* result) {
  std::string path;
  if (!FullPath(root, subKey, path)) return ERROR_INVALID_HANDLE;
  RegistryTree tree = LoadTree();
  if (!tree.Readable) return ERROR_BADDB;
  if (tree.Find(path) == nullptr) {
    tree.Create(path);
    if (!WriteFileAtomically(RegistryFilePath(), FormatRegistryFile(tree))) return ERROR_ACCESS_DENIED;
  }
  *result = NewHandle(path);
  return ERROR_SUCCESS;
}

long RegQueryValueExA(HKEY key, const std::string& valueName, std::uint32_t* type, std::string* data,
                      std::uint32_t* size) {
  RegistryTree tree = LoadTree();
  RegistryKey* k = KeyOf(tree, key);
  if (k == nullptr) return TheHandles().open.contains(key) ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_HANDLE;
  const RegistryValue* v = k->Find(valueName);
  if (v == nullptr) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = v->Type;
  return CopyOut(v->Data, data, size);
}

long RegSetValueExA(HKEY key, const std::string& valueName, std::uint32_t type, const std::string& data) {
  RegistryTree tree = LoadTree();
  if (!tree.Readable) return ERROR_BADDB;
  std::string path;
  if (!FullPath(key, "", path)) return ERROR_INVALID_HANDLE;
  tree.Create(path).Set(RegistryValue{valueName, type, data});
  return WriteFileAtomically(RegistryFilePath(), FormatRegistryFile(tree)) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

long RegEnumKeyA(HKEY key, std::uint32_t index, std::string* name, std::uint32_t bufferSize) {
  RegistryTree tree = LoadTree();
  std::string path;
  if (!FullPath(key, "", path)) return ERROR_INVALID_HANDLE;
  const std::vector<std::string> children = tree.Children(path);
  if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
  if (children[index].size() + 1 > bufferSize) return ERROR_MORE_DATA;
  *name = children[index];
  return ERROR_SUCCESS;
}

long RegEnumValueA(HKEY key, std::uint32_t index, std::string* name, std::uint32_t* nameSize, std::uint32_t* type,
                   std::string* data, std::uint32_t* dataSize) {
  RegistryTree tree = LoadTree();
  RegistryKey* k = KeyOf(tree, key);
  if (k == nullptr) return TheHandles().open.contains(key) ? ERROR_NO_MORE_ITEMS : ERROR_INVALID_HANDLE;
  if (index >= k->Values.size()) return ERROR_NO_MORE_ITEMS;
  const RegistryValue& v = k->Values[index];
  const auto nameLength = static_cast<std::uint32_t>(v.Name.size());
  if (nameLength + 1 > *nameSize) return ERROR_MORE_DATA;
  *name = v.Name;
  *nameSize = nameLength;
  if (type != nullptr) *type = v.Type;
  return CopyOut(v.Data, data, dataSize);
}

long RegCloseKey(HKEY key) { return TheHandles().open.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

}  // namespace velmora
