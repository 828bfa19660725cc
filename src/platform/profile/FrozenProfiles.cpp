#include "platform/profile/FrozenProfiles.h"

#include <algorithm>

namespace velmora {

const FrozenProfile* FindFrozenProfile(std::string_view bytes) {
  const auto profiles = FrozenProfiles();
  const auto found =
      std::find_if(profiles.begin(), profiles.end(), [bytes](const FrozenProfile& p) { return p.bytes == bytes; });
  return found == profiles.end() ? nullptr : &*found;
}

}  // namespace velmora
