#pragma once
// The label faces' advances and outlines for the common characters, made at
// build time from the face files (tools/MakeFaceTables.cpp) so that an SVG
// label or a layout needs no FreeType: used only while the file on the machine
// is the very file they were made from (its size and its checksum).
#include <cstdint>
#include <span>

namespace velmora::render {

struct TablePoint {
  char command;  // as GlyphOutline has it
  std::int16_t x;
  std::int16_t y;
};

struct TableGlyph {
  char32_t codePoint;
  std::int32_t advance;  // font units
  std::uint32_t first;   // its points, in the face's points
  std::uint32_t count;
};

struct FaceTable {
  const char* path;
  std::uint64_t size;
  std::uint32_t checksum;  // the file's own: its head table's checkSumAdjustment
  int unitsPerEm;
  int ascender;
  int descender;
  std::span<const TableGlyph> glyphs;  // sorted by code point
  std::span<const TablePoint> points;
};

std::span<const FaceTable> FaceTables();

}  // namespace velmora::render
