#pragma once
// FreeType, opened the first time a label's text is measured or set: a run
// that draws no text (check, ZPL to a socket) never maps it. Its declarations
// come from its own headers.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_ADVANCES_H

#include "platform/SharedLibrary.h"

namespace velmora::render {

// clang-format off
#define VELMORA_FREETYPE_FUNCTIONS(F) \
  F(FT_Get_Advance) \
  F(FT_Get_Char_Index) \
  F(FT_Init_FreeType) \
  F(FT_Load_Glyph) \
  F(FT_New_Face) \
  F(FT_Outline_Decompose) \
  F(FT_Set_Char_Size) \
  F(FT_Set_Transform)
// clang-format on

struct FreeTypeLibrary {
  VELMORA_FREETYPE_FUNCTIONS(VELMORA_TABLE_MEMBER)
};

// The library, opened once; throws std::runtime_error when it is not installed.
const FreeTypeLibrary& FreeType();

}  // namespace velmora::render
