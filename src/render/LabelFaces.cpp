#include "render/LabelFaces.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

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

// A glyph's outline as FreeType decomposes it, kept to be written at every
// place the glyph stands: 'M' starts a contour, ' ' continues a command.
struct GlyphOutline {
  std::vector<std::pair<char, FT_Vector>> points;
  FT_Pos advance = 0;
};

int MoveTo(const FT_Vector* to, void* g) {
  static_cast<GlyphOutline*>(g)->points.emplace_back('M', *to);
  return 0;
}
int LineTo(const FT_Vector* to, void* g) {
  static_cast<GlyphOutline*>(g)->points.emplace_back('L', *to);
  return 0;
}
int ConicTo(const FT_Vector* control, const FT_Vector* to, void* g) {
  auto& points = static_cast<GlyphOutline*>(g)->points;
  points.emplace_back('Q', *control);
  points.emplace_back(' ', *to);
  return 0;
}
int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* g) {
  auto& points = static_cast<GlyphOutline*>(g)->points;
  points.emplace_back('C', *c1);
  points.emplace_back(' ', *c2);
  points.emplace_back(' ', *to);
  return 0;
}

constexpr FT_Int32 kUnscaled = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

}  // namespace

LabelFace::LabelFace(const FaceFile& file) : file_(file) {
  if (FreeType().FT_New_Face(Library(), file.path, 0, &face_) != 0) {
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

FT_Face LabelFace::CairoFace() const {
  std::call_once(cairoOpened_, [this] {
    if (FreeType().FT_New_Face(Library(), file_.path, 0, &cairoFace_) != 0) {
      throw std::runtime_error(std::string(file_.path) + ": cannot read the label's face (package " + file_.package +
                               ")");
    }
  });
  return cairoFace_;
}

void LabelFace::Paint(std::string_view text, double x, double baseline, double size, const InkImage& image) const {
  const std::lock_guard<std::mutex> hold(lock_);
  const double pixels = size * image.pixelsPerMm;  // the em, in pixels
  if (FreeType().FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(pixels * 64)), 72, 72) != 0) return;
  double penX = x * image.pixelsPerMm;
  const double penY = baseline * image.pixelsPerMm;
  for (const char32_t c : ToCodePoints(text)) {
    const unsigned glyph = Glyph(c);
    // The pen's whole pixel, and the rest as the glyph's shift: glyphs land where the layout measured them.
    const double left = std::floor(penX);
    const double top = std::floor(penY);
    FT_Vector shift{static_cast<FT_Pos>(std::lround((penX - left) * 64)),
                    -static_cast<FT_Pos>(std::lround((penY - top) * 64))};
    FreeType().FT_Set_Transform(face_, nullptr, &shift);
    FT_Fixed advance = 0;
    FreeType().FT_Get_Advance(face_, glyph, kUnscaled, &advance);
    penX += advance * pixels / unitsPerEm_;
    if (FreeType().FT_Load_Glyph(face_, glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
    const FT_Bitmap& b = face_->glyph->bitmap;
    if (b.pixel_mode != FT_PIXEL_MODE_GRAY) continue;
    const int x0 = static_cast<int>(left) + face_->glyph->bitmap_left;
    const int y0 = static_cast<int>(top) - face_->glyph->bitmap_top;
    for (int row = 0; row < static_cast<int>(b.rows); ++row) {
      const int y = y0 + row;
      if (y < 0 || y >= image.height) continue;
      const unsigned char* from = b.buffer + static_cast<std::ptrdiff_t>(row) * b.pitch;
      unsigned char* to = image.data + static_cast<std::ptrdiff_t>(y) * image.stride;
      for (int col = 0; col < static_cast<int>(b.width); ++col) {
        const int px = x0 + col;
        if (px >= 0 && px < image.width) to[px] = std::max(to[px], from[col]);
      }
    }
  }
  FreeType().FT_Set_Transform(face_, nullptr, nullptr);
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
  std::map<unsigned, GlyphOutline> outlines;  // each glyph decomposed once: a text repeats its digits
  for (const char32_t c : ToCodePoints(text)) {
    const unsigned glyph = Glyph(c);
    auto found = outlines.find(glyph);
    if (found == outlines.end()) {
      GlyphOutline outline;
      if (FreeType().FT_Load_Glyph(face_, glyph, kUnscaled) != 0) continue;
      FreeType().FT_Outline_Decompose(&face_->glyph->outline, &funcs, &outline);
      outline.advance = face_->glyph->advance.x;
      found = outlines.emplace(glyph, std::move(outline)).first;
    }
    for (const auto& [command, point] : found->second.points) {
      if (command == 'M' && !path.empty() && path.back() != 'Z') path += 'Z';
      writer.Point(command, &point);
    }
    if (!path.empty() && path.back() != 'Z') path += 'Z';
    writer.x += found->second.advance * writer.scale;
  }
  return path;
}

TextSize MeasureLabelText(const TemplateGeometry& g, const std::string& text) {
  return LabelFace::For(g.fixedPitch).Measure(text, g.fontHeight);
}

}  // namespace velmora::render
