#pragma once
// The run-time error number that `f` raises, or 0 when it raises none.
#include <functional>

#include "base/RuntimeError.h"

namespace velmora::test {

inline int ErrorNumberOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace velmora::test
