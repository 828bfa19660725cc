#include "automation/Dispatch.h"

#include "base/RuntimeError.h"

namespace velmora {

Dispatch& ObjectOf(const Variant& value) {
  const Variant::Object* object = value.AsObject();
  if (object == nullptr || *object == nullptr) RaiseError(kErrObjectRequired, "Object required");
  return **object;
}

}  // namespace velmora
