#include "render/FreeTypeLibrary.h"

namespace velmora::render {

const FreeTypeLibrary& FreeType() {
  static const FreeTypeLibrary freeType = VELMORA_OPEN_LIBRARY(
      FreeTypeLibrary, VELMORA_FREETYPE_FUNCTIONS, "libfreetype.so.6", "setting a label's text needs libfreetype");
  return freeType;
}

}  // namespace velmora::render
