#pragma once
// A glyph's outline as FreeType decomposes it, in font units, and as SVG path
// data: written by the program and by the generator of its face tables alike
// (the same calls, so the same points and the same text).
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <charconv>
#include <string>
#include <vector>

namespace velmora::render {

// Unscaled, unhinted: font units, as the layout measures.
inline constexpr FT_Int32 kUnscaled = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

// 'M' starts a contour, 'L', 'Q' and 'C' start their commands, ' ' continues one.
struct OutlinePoint {
  char command;
  FT_Pos x;
  FT_Pos y;
};

struct GlyphOutline {
  std::vector<OutlinePoint> points;
};

namespace outline {
inline int MoveTo(const FT_Vector* to, void* g) {
  static_cast<GlyphOutline*>(g)->points.push_back({'M', to->x, to->y});
  return 0;
}
inline int LineTo(const FT_Vector* to, void* g) {
  static_cast<GlyphOutline*>(g)->points.push_back({'L', to->x, to->y});
  return 0;
}
inline int ConicTo(const FT_Vector* control, const FT_Vector* to, void* g) {
  auto& points = static_cast<GlyphOutline*>(g)->points;
  points.push_back({'Q', control->x, control->y});
  points.push_back({' ', to->x, to->y});
  return 0;
}
inline int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* g) {
  auto& points = static_cast<GlyphOutline*>(g)->points;
  points.push_back({'C', c1->x, c1->y});
  points.push_back({' ', c2->x, c2->y});
  points.push_back({' ', to->x, to->y});
  return 0;
}
}  // namespace outline

inline constexpr FT_Outline_Funcs kOutlineFuncs{
    outline::MoveTo, outline::LineTo, outline::ConicTo, outline::CubicTo, 0, 0};

// The outline as SVG path data in font units, y downwards as SVG has it (the
// user scales it to its size), each contour closed; empty for a blank.
inline std::string OutlinePath(const GlyphOutline& outline) {
  std::string out;
  const auto number = [&out](FT_Pos value) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
  };
  for (const auto& [command, x, y] : outline.points) {
    if (command == 'M' && !out.empty() && out.back() != 'Z') out += 'Z';
    out += command;
    number(x);
    out += ' ';
    number(-y);
  }
  if (!out.empty() && out.back() != 'Z') out += 'Z';
  return out;
}

}  // namespace velmora::render
