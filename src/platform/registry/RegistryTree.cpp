#include "platform/registry/RegistryTree.h"

#include "platform/CaseFold.h"

namespace velmora {

const RegistryValue* RegistryKey::Find(const std::string& name) const {
  for (const RegistryValue& v : Values) {
    if (EqualsIgnoreCase(v.Name, name)) return &v;
  }
  return nullptr;
}

void RegistryKey::Set(RegistryValue value) {
  for (RegistryValue& existing : Values) {
    if (EqualsIgnoreCase(existing.Name, value.Name)) {
      existing = std::move(value);
      return;
    }
  }
  Values.push_back(std::move(value));
}

void RegistryKey::Remove(const std::string& name) {
  std::erase_if(Values, [&](const RegistryValue& v) { return EqualsIgnoreCase(v.Name, name); });
}

std::string RegistryTree::RootName(std::uint32_t root) {
  switch (root) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER: return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS: return "HKEY_USERS";
    case HKEY_CURRENT_CONFIG: return "HKEY_CURRENT_CONFIG";
    default: return {};
  }
}

std::string RegistryTree::Fold(const std::string& path) { return UpperCase(path); }

RegistryKey* RegistryTree::Find(const std::string& path) {
  const auto found = Keys.find(Fold(path));
  return found == Keys.end() ? nullptr : &found->second;
}

RegistryKey& RegistryTree::Create(const std::string& path) {
  for (std::size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1)) {
    Keys.try_emplace(Fold(path.substr(0, cut)), RegistryKey{path.substr(0, cut), {}});
  }
  return Keys.try_emplace(Fold(path), RegistryKey{path, {}}).first->second;
}

void RegistryTree::Remove(const std::string& path) {
  const std::string folded = Fold(path);
  Keys.erase(folded);
  const std::string below = folded + "\\";
  for (auto it = Keys.lower_bound(below); it != Keys.end() && it->first.starts_with(below);) it = Keys.erase(it);
}

std::vector<std::string> RegistryTree::Children(const std::string& path) const {
  std::vector<std::string> names;
  const std::string below = Fold(path) + "\\";
  for (auto it = Keys.lower_bound(below); it != Keys.end() && it->first.starts_with(below); ++it) {
    const std::string rest = it->second.Path.substr(below.size());
    if (rest.find('\\') == std::string::npos) names.push_back(rest);
  }
  return names;
}

}  // namespace velmora
