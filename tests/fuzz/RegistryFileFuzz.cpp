// Registry files: any bytes parse; what is written parses back to the same keys and values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/RegistryTree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const velmora::RegistryTree tree = velmora::ParseRegistryFile(std::string(reinterpret_cast<const char*>(data), size));
  if (!tree.Readable) return 0;
  const velmora::RegistryTree again = velmora::ParseRegistryFile(velmora::FormatRegistryFile(tree));
  if (again.Keys.size() != tree.Keys.size()) std::abort();
  for (const auto& [path, key] : tree.Keys) {
    const auto found = again.Keys.find(path);
    if (found == again.Keys.end() || found->second.Values.size() != key.Values.size()) std::abort();
    for (std::size_t i = 0; i < key.Values.size(); ++i) {
      const velmora::RegistryValue& a = key.Values[i];
      const velmora::RegistryValue& b = found->second.Values[i];
      if (a.Name != b.Name || a.Type != b.Type || a.Data != b.Data) std::abort();
    }
  }
  return 0;
}
