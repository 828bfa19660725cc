#include "render/LabelFaces.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/Utf8Text.h"
#include "render/FreeTypeLibrary.h"

namespace velmora::render {
namespace {

FT_Library Library() {
  static const FT_Library library = [] {
    FT_Library l = nullptr;
    if (FreeType().FT_Init_FreeType(&l) != 0) throw std::runtime_error("FreeType could not be started");
    return l;
  }();
  return library;
}

// The outline of one glyph as SVG path commands, in mm from the pen's place.
struct OutlineWriter {
  std::string* out;
  double x;
  double baseline;
  double scale;  // mm a font unit

  void Point(char command, const FT_Vector* p) {
    *out += command;
    AppendThousandths(x + p->x * scale);
    *out += ' ';
    AppendThousandths(baseline - p->y * scale);
  }
  // A coordinate to the thousandth of a millimetre, "12.345": integer digits
  // written by hand, as a label's text is thousands of points.
  void AppendThousandths(double value) {
    const long long thousandths = std::llround(std::clamp(value, -1e9, 1e9) * 1000);
    unsigned long long rest = static_cast<unsigned long long>(thousandths < 0 ? -thousandths : thousandths);
    char text[24];
    char* at = text + sizeof text;
    for (int n = 0; rest > 0 || n < 4; rest /= 10, ++n) {
      if (n == 3) *--at = '.';
      *--at = static_cast<char>('0' + rest % 10);
    }
    if (thousandths < 0) *--at = '-';
    out->append(at, text + sizeof text);
  }
  void Point(const FT_Vector* p) { Point(' ', p); }
};

int MoveTo(const FT_Vector* to, void* w) {
  auto* writer = static_cast<OutlineWriter*>(w);
  if (!writer->out->empty() && writer->out->back() != 'Z') *writer->out += 'Z';
  writer->Point('M', to);
  return 0;
}
int LineTo(const FT_Vector* to, void* w) {
  static_cast<OutlineWriter*>(w)->Point('L', to);
  return 0;
}
int ConicTo(const FT_Vector* control, const FT_Vector* to, void* w) {
  auto* writer = static_cast<OutlineWriter*>(w);
  writer->Point('Q', control);
  writer->Point(to);
  return 0;
}
int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* w) {
  auto* writer = static_cast<OutlineWriter*>(w);
  writer->Point('C', c1);
  writer->Point(c2);
  writer->Point(to);
  return 0;
}

constexpr FT_Int32 kUnscaled = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

}  // namespace

LabelFace::LabelFace(const FaceFile& file) {
  if (FreeType().FT_New_Face(Library(), file.path, 0, &face_) != 0 ||
      FreeType().FT_New_Face(Library(), file.path, 0, &cairoFace_) != 0) {
    throw std::runtime_error(std::string(file.path) + ": cannot read the label's face (package " + file.package + ")");
  }
  unitsPerEm_ = face_->units_per_EM;
  ascender_ = face_->ascender;
  descender_ = face_->descender;
}

const LabelFace& LabelFace::For(bool fixedPitch) {
  if (fixedPitch) {  // each opened when first asked for
    static const LabelFace fixed(kFaceFiles[0]);
    return fixed;
  }
  static const LabelFace proportional(kFaceFiles[1]);
  return proportional;
}

unsigned LabelFace::Glyph(char32_t c) const { return FreeType().FT_Get_Char_Index(face_, c); }

TextSize LabelFace::Measure(std::string_view text, double size) const {
  const std::lock_guard<std::mutex> hold(lock_);
  FT_Fixed units = 0;
  for (const char32_t c : ToCodePoints(text)) {
    FT_Fixed advance = 0;
    FreeType().FT_Get_Advance(face_, Glyph(c), kUnscaled, &advance);
    units += advance;
  }
  const double scale = size / unitsPerEm_;
  return {units * scale, (ascender_ - descender_) * scale, ascender_ * scale};
}

std::string LabelFace::Outline(std::string_view text, double x, double baseline, double size) const {
  const std::lock_guard<std::mutex> hold(lock_);
  std::string path;
  OutlineWriter writer{&path, x, baseline, size / unitsPerEm_};
  const FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  for (const char32_t c : ToCodePoints(text)) {
    if (FreeType().FT_Load_Glyph(face_, Glyph(c), kUnscaled) != 0) continue;
    FreeType().FT_Outline_Decompose(&face_->glyph->outline, &funcs, &writer);
    if (!path.empty() && path.back() != 'Z') path += 'Z';
    writer.x += face_->glyph->advance.x * writer.scale;
  }
  return path;
}

TextSize MeasureLabelText(const TemplateGeometry& g, const std::string& text) {
  return LabelFace::For(g.fixedPitch).Measure(text, g.fontHeight);
}

}  // namespace velmora::render
