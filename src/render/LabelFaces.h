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
  // A face of this file for cairo alone (FreeType faces are not shared between threads' users).
  FT_Face CairoFace() const { return cairoFace_; }

 private:
  explicit LabelFace(const FaceFile& file);
  unsigned Glyph(char32_t c) const;

  FT_Face face_ = nullptr;
  FT_Face cairoFace_ = nullptr;
  double unitsPerEm_ = 2048;
  double ascender_ = 0;
  double descender_ = 0;
  mutable std::mutex lock_;  // a FreeType face is used by one thread at a time
};

// The measure of the label's text in the template's face, for the layout.
TextSize MeasureLabelText(const TemplateGeometry& g, const std::string& text);

}  // namespace velmora::render
