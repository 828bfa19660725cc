#pragma once
// An automation object reached by dispatch identifier: property get, method
// call and enumeration of a collection. Failures are run-time errors.
#include <cstdint>
#include <vector>

#include "base/Variant.h"

namespace velmora {

class Dispatch {
 public:
  virtual ~Dispatch() = default;
  virtual Variant Get(std::int32_t dispid) = 0;
  virtual void Call(std::int32_t dispid, const std::vector<Variant>& args) = 0;
  // The elements of a collection, in its own order.
  virtual std::vector<Variant> Enumerate() = 0;
};

// The object a value holds; run-time error 424 when it holds none.
Dispatch& ObjectOf(const Variant& value);

}  // namespace velmora
