#include "platform/profile/FrozenProfiles.h"

#include "platform/FileAccess.h"

namespace velmora {

const FrozenProfile* ShippedProfileAt(const std::string& path, std::uint64_t size) {
  for (const FrozenProfile& shipped : FrozenProfiles()) {
    if (shipped.bytes.size() == size && FileHoldsExactly(path, shipped.bytes)) return &shipped;
  }
  return nullptr;
}

}  // namespace velmora
