#include "base/GlobalValues.h"

namespace velmora {

GlobalValues& Globals() {
  static GlobalValues values;
  return values;
}

void ResetGlobals() { Globals() = GlobalValues{}; }

}  // namespace velmora
