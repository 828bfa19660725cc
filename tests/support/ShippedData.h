#pragma once
// The GS1 tables the program ships (data/), read once for a test program.
#include "symbol/Gs1Data.h"

namespace velmora::test {

inline const symbol::Gs1Data& ShippedGs1() {
  static const symbol::Gs1Data data = symbol::LoadGs1Data(VELMORA_SHIPPED_DATA_DIR);
  return data;
}

}  // namespace velmora::test
