#pragma once
// The faces a label's text is set in, opened from named files and never
// matched against whatever fonts a machine has: the same template and values
// give the same label, to the byte, on every machine. One table maps a
// template's face to its file; a fixed-pitch face (the template's own) to the
// monospace file, any other to the proportional one.
#include <mutex>
#include <string>
#include <string_view>

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

struct FaceFile {
  bool fixedPitch;
  const char* path;  // from the Debian package `package`, which the program's package depends on
  const char* package;
};

inline constexpr FaceFile kFaceFiles[] = {
    {true, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "fonts-dejavu-core"},
    {false, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "fonts-dejavu-core"},
};

class LabelFace {
 public:
  // The face of a template's text, opened once; throws std::runtime_error
  // naming the file and its package when it cannot be read.
  static const LabelFace& For(bool fixedPitch);

  // `text` (UTF-8) set `size` mm high: its advance, height and ascent.
  TextSize Measure(std::string_view text, double size) const;
  // The outlines of `text` set from `x` on the `baseline`, as SVG path data in mm.
  std::string Outline(std::string_view text, double x, double baseline, double size) const;
  // `text` set `size` mm high from `x` on the `baseline` into an 8-bit image
  // of ink (255 black) at `pixelsPerMm`: each pixel keeps the more ink.
  void Paint(std::string_view text, double x, double baseline, double size, const InkImage& image) const;
  // A face of this file for cairo alone (FreeType faces are not shared between threads' users).
  FT_Face CairoFace() const;

 private:
  explicit LabelFace(const FaceFile& file);
  unsigned Glyph(char32_t c) const;

  const FaceFile& file_;
  FT_Face face_ = nullptr;
  mutable FT_Face cairoFace_ = nullptr;  // opened when PDF first asks for it
  mutable std::once_flag cairoOpened_;
  double unitsPerEm_ = 2048;
  double ascender_ = 0;
  double descender_ = 0;
  mutable std::mutex lock_;  // a FreeType face is used by one thread at a time
};

// The measure of the label's text in the template's face, for the layout.
TextSize MeasureLabelText(const TemplateGeometry& g, const std::string& text);

}  // namespace velmora::render
