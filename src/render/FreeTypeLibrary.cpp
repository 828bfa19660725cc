#include "render/FreeTypeLibrary.h"

namespace velmora::render {
namespace {

FreeTypeLibrary Open() {
  constexpr const char* soname = "libfreetype.so.6";
  void* library = OpenSharedLibrary(soname, "setting a label's text needs libfreetype");
  FreeTypeLibrary table;
  VELMORA_FREETYPE_FUNCTIONS(VELMORA_TABLE_LOAD)
  return table;
}

}  // namespace

const FreeTypeLibrary& FreeType() {
  static const FreeTypeLibrary freeType = Open();
  return freeType;
}

}  // namespace velmora::render
