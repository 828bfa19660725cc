#include "base/Int16.h"

#include <limits>

#include "base/RuntimeError.h"

namespace velmora {

std::int16_t CheckedInt16(long long value) {
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<std::int16_t>(value);
}

std::int32_t CheckedInt32(long long value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace velmora
