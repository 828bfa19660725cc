#include "label/CairoLibrary.h"

namespace velmora::label {

const CairoLibrary& Cairo() {
  static const CairoLibrary cairo =
      VELMORA_OPEN_LIBRARY(CairoLibrary, VELMORA_CAIRO_FUNCTIONS, "libcairo.so.2", "drawing labels needs libcairo");
  return cairo;
}

}  // namespace velmora::label
