#pragma once
// The label faces' advances and outlines for the common characters, made at
// build time from the face files (tools/MakeFaceTables.cpp) so that an SVG
// label or a layout needs no FreeType: used only while the file on the machine
// is the very file they were made from (its size and its checksum).
#include <cstdint>
#include <span>
#include <string_view>

namespace velmora::render {

// Offsets, not pointers: the tables need no relocation, so a run maps them
// from the file as they are instead of writing their pages at every start.
struct TableGlyph {
  char32_t codePoint;
  std::int32_t advance;     // font units
  std::uint32_t outlineAt;  // in the face's outlines: SVG path data in font units, as OutlinePath writes it
  std::uint32_t outlineSize;
};

struct FaceTable {
  const char* path;
  std::uint64_t size;
  std::uint32_t checksum;  // the file's own: its head table's checkSumAdjustment
  int unitsPerEm;
  int ascender;
  int descender;
  std::span<const TableGlyph> glyphs;  // sorted by code point
  std::string_view outlines;           // the glyphs' outlines one after the other
};

std::span<const FaceTable> FaceTables();

}  // namespace velmora::render
