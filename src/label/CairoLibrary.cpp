#include "label/CairoLibrary.h"

namespace velmora::label {
namespace {

CairoLibrary Open() {
  constexpr const char* soname = "libcairo.so.2";
  void* library = OpenSharedLibrary(soname, "drawing labels needs libcairo");
  CairoLibrary table;
  VELMORA_CAIRO_FUNCTIONS(VELMORA_TABLE_LOAD)
  return table;
}

}  // namespace

const CairoLibrary& Cairo() {
  static const CairoLibrary cairo = Open();
  return cairo;
}

}  // namespace velmora::label
