#pragma once
// The faces a label's text is set in, opened from named files and never
// matched against whatever fonts a machine has: the same template and values
// give the same label, to the byte, on every machine. One table maps a
// template's face to its file; a fixed-pitch face (the template's own) to the
// monospace file, any other to the proportional one.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "render/FaceFiles.h"
#include "render/FaceTables.h"
#include "render/LabelLayout.h"

typedef struct FT_FaceRec_* FT_Face;

namespace velmora::render {

// An 8-bit image of ink, a byte a pixel, rows `stride` bytes apart.
struct InkImage {
  unsigned char* data;
  int width;
  int height;
  int stride;
  double pixelsPerMm;
};

class LabelFace {
 public:
  // The face of a template's text, opened once; throws std::runtime_error
  // naming the file and its package when it cannot be read.
  static const LabelFace& For(bool fixedPitch);
  // The same file read by FreeType for every character, its table left aside
  // (what the table is held equal to).
  static std::unique_ptr<LabelFace> WithoutTable(const FaceFile& file);

  // `text` (UTF-8) set `size` mm high: its advance, height and ascent.
  TextSize Measure(std::string_view text, double size) const;
  // Each character of `text` set `size` mm high from `x`: its code point and
  // where the pen stands for it, in mm (the advances Measure adds up).
  struct Pen {
    char32_t codePoint;
    double x;
  };
  std::vector<Pen> Pens(std::string_view text, double x, double size) const;
  // One character's outline in font units (unitsPerEm() to the em), the pen
  // at (0, 0) on the baseline, y downwards, as SVG path data; empty for a blank.
  std::string GlyphOutline(char32_t c) const;
  double UnitsPerEm() const { return unitsPerEm_; }
  // `text` set `size` mm high from `x` on the `baseline` into an 8-bit image
  // of ink (255 black) at `pixelsPerMm`: each pixel keeps the more ink.
  void Paint(std::string_view text, double x, double baseline, double size, const InkImage& image) const;
  // A face of this file for cairo alone (FreeType faces are not shared between threads' users).
  FT_Face CairoFace() const;
  // Does a table made from this very file stand in for FreeType's common characters?
  bool Tabled() const { return table_ != nullptr; }

 private:
  LabelFace(const FaceFile& file, bool useTable);
  FT_Face Face() const;  // FreeType's, opened when first needed
  unsigned Glyph(char32_t c) const;
  const TableGlyph* InTable(char32_t c) const;  // nullptr when the table lacks c (or there is none)
  // The table's glyphs of `text`, or false when one of its characters is not in the table.
  bool TableGlyphs(std::string_view text, std::vector<const TableGlyph*>& glyphs) const;
  // Each character of `text` with its advance in font units, the table's when it has them all.
  template <class Visit>
  void ForEachAdvance(std::string_view text, Visit visit) const;

  // A glyph set into pixels at a size and a shift (in 64ths of a pixel), kept:
  // the labels of a run set the same glyphs at the same places.
  struct GlyphKey {
    unsigned glyph;
    long size;
    long dx;
    long dy;
    auto operator<=>(const GlyphKey&) const = default;
  };
  struct GlyphImage {
    int left;
    int top;
    int width;
    int rows;
    std::vector<unsigned char> ink;
  };
  const GlyphImage* Rendered(const GlyphKey& key) const;  // with lock_ held

  const FaceFile& file_;
  const FaceTable* table_ = nullptr;
  mutable FT_Face face_ = nullptr;
  mutable std::once_flag faceOpened_;
  mutable FT_Face cairoFace_ = nullptr;  // opened when PDF first asks for it
  mutable std::once_flag cairoOpened_;
  double unitsPerEm_ = 2048;
  double ascender_ = 0;
  double descender_ = 0;
  mutable std::mutex lock_;                        // a FreeType face is used by one thread at a time
  mutable std::map<GlyphKey, GlyphImage> images_;  // with lock_ held
  mutable long setSize_ = -1;                      // the face's character size now, with lock_ held
};

// The measure of the label's text in the template's face, for the layout.
TextSize MeasureLabelText(const TemplateGeometry& g, const std::string& text);

}  // namespace velmora::render
