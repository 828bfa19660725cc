#include "render/LabelFaces.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Utf8Text.h"
#include "render/FreeTypeLibrary.h"
#include "render/GlyphOutline.h"

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

// The file's size and its own checksum (the TrueType head table's
// checkSumAdjustment), read without FreeType; nullopt when it cannot be read.
std::optional<std::pair<std::uint64_t, std::uint32_t>> FileIdentity(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  const auto be = [](const unsigned char* b, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | b[i];
    return v;
  };
  std::optional<std::pair<std::uint64_t, std::uint32_t>> identity;
  struct stat st {};
  unsigned char header[12];
  if (::fstat(fd, &st) == 0 && ::pread(fd, header, sizeof header, 0) == sizeof header) {
    const std::uint32_t tables = std::min<std::uint32_t>(be(header + 4, 2), 64);
    std::vector<unsigned char> records(tables * 16);
    if (::pread(fd, records.data(), records.size(), 12) == static_cast<ssize_t>(records.size())) {
      for (std::uint32_t t = 0; t < tables; ++t) {
        const unsigned char* r = records.data() + t * 16;
        unsigned char checksum[4];
        if (std::memcmp(r, "head", 4) == 0 && ::pread(fd, checksum, 4, be(r + 8, 4) + 8) == 4) {
          identity.emplace(static_cast<std::uint64_t>(st.st_size), be(checksum, 4));
        }
      }
    }
  }
  ::close(fd);
  return identity;
}

// The table made from this very file, if there is one.
const FaceTable* MatchingTable(const FaceFile& file) {
  const auto identity = FileIdentity(file.path);
  for (const FaceTable& table : FaceTables()) {
    if (std::strcmp(table.path, file.path) == 0 && identity &&
        *identity == std::make_pair(table.size, table.checksum)) {
      return &table;
    }
  }
  return nullptr;
}

}  // namespace

LabelFace::LabelFace(const FaceFile& file, bool useTable)
    : file_(file), table_(useTable ? MatchingTable(file) : nullptr) {
  if (table_ != nullptr) {
    unitsPerEm_ = table_->unitsPerEm;
    ascender_ = table_->ascender;
    descender_ = table_->descender;
    return;
  }
  const FT_Face face = Face();  // said now, when the file cannot be read
  unitsPerEm_ = face->units_per_EM;
  ascender_ = face->ascender;
  descender_ = face->descender;
}

std::unique_ptr<LabelFace> LabelFace::WithoutTable(const FaceFile& file) {
  return std::unique_ptr<LabelFace>(new LabelFace(file, false));
}

namespace {

// A FreeType face of `file`, opened into `face` once.
FT_Face OpenedOnce(std::once_flag& once, FT_Face& face, const FaceFile& file) {
  std::call_once(once, [&] {
    if (FreeType().FT_New_Face(Library(), file.path, 0, &face) != 0) {
      throw std::runtime_error(std::string(file.path) + ": cannot read the label's face (package " + file.package +
                               ")");
    }
  });
  return face;
}

}  // namespace

FT_Face LabelFace::Face() const { return OpenedOnce(faceOpened_, face_, file_); }

const TableGlyph* LabelFace::InTable(char32_t c) const {
  if (table_ == nullptr) return nullptr;
  const auto& all = table_->glyphs;
  const auto at = std::lower_bound(all.begin(), all.end(), c,
                                   [](const TableGlyph& g, char32_t code) { return g.codePoint < code; });
  return at == all.end() || at->codePoint != c ? nullptr : &*at;
}

bool LabelFace::TableGlyphs(std::string_view text, std::vector<const TableGlyph*>& glyphs) const {
  if (table_ == nullptr) return false;
  for (const char32_t c : ToCodePoints(text)) {
    const TableGlyph* g = InTable(c);
    if (g == nullptr) return false;
    glyphs.push_back(g);
  }
  return true;
}

const LabelFace& LabelFace::For(bool fixedPitch) {
  if (fixedPitch) {  // each opened when first asked for
    static const LabelFace fixed(kFaceFiles[0], true);
    return fixed;
  }
  static const LabelFace proportional(kFaceFiles[1], true);
  return proportional;
}

FT_Face LabelFace::CairoFace() const { return OpenedOnce(cairoOpened_, cairoFace_, file_); }

const LabelFace::GlyphImage* LabelFace::Rendered(const GlyphKey& key) const {
  if (const auto found = images_.find(key); found != images_.end()) return &found->second;
  const FT_Face face = Face();
  if (key.size != setSize_) {
    if (FreeType().FT_Set_Char_Size(face, 0, key.size, 72, 72) != 0) return nullptr;
    setSize_ = key.size;
  }
  FT_Vector shift{key.dx, key.dy};
  FreeType().FT_Set_Transform(face, nullptr, &shift);
  const bool rendered = FreeType().FT_Load_Glyph(face, key.glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) == 0 &&
                        face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
  FreeType().FT_Set_Transform(face, nullptr, nullptr);
  if (!rendered) return nullptr;
  const FT_Bitmap& b = face->glyph->bitmap;
  GlyphImage image{
      face->glyph->bitmap_left, face->glyph->bitmap_top, static_cast<int>(b.width), static_cast<int>(b.rows), {}};
  for (unsigned row = 0; row < b.rows; ++row) {
    const unsigned char* from = b.buffer + static_cast<std::ptrdiff_t>(row) * b.pitch;
    image.ink.insert(image.ink.end(), from, from + b.width);
  }
  if (images_.size() >= 4096) images_.clear();  // a bound on the memory of a run of many sizes
  return &images_.emplace(key, std::move(image)).first->second;
}

void LabelFace::Paint(std::string_view text, double x, double baseline, double size, const InkImage& image) const {
  const double pixels = size * image.pixelsPerMm;  // the em, in pixels
  const auto em = static_cast<FT_F26Dot6>(std::lround(pixels * 64));
  std::vector<const TableGlyph*> tabled;
  const bool inTable = TableGlyphs(text, tabled);
  const std::lock_guard<std::mutex> hold(lock_);
  double penX = x * image.pixelsPerMm;
  const double penY = baseline * image.pixelsPerMm;
  std::size_t index = 0;
  for (const char32_t c : ToCodePoints(text)) {
    const unsigned glyph = Glyph(c);
    // The pen's whole pixel, and the rest as the glyph's shift, in quarters of a
    // pixel: glyphs land where the layout measured them, and a glyph met again
    // at the same quarter is drawn once (a finer shift moves no dot of a 1-bit label).
    const double quarters = std::round(penX * 4);
    const double left = std::floor(quarters / 4);
    const double top = std::floor(penY);
    const GlyphKey key{glyph, em, static_cast<FT_Pos>(quarters - left * 4) * 16,
                       -static_cast<FT_Pos>(std::lround((penY - top) * 64))};
    FT_Fixed advance = inTable ? tabled[index]->advance : 0;
    if (!inTable) FreeType().FT_Get_Advance(Face(), glyph, kUnscaled, &advance);
    ++index;
    penX += advance * pixels / unitsPerEm_;
    const GlyphImage* g = Rendered(key);
    if (g == nullptr) continue;
    const int x0 = static_cast<int>(left) + g->left;
    const int y0 = static_cast<int>(top) - g->top;
    // the glyph's columns and rows that fall on the image, found once
    const int first = std::max(0, -x0);
    const int last = std::min(g->width, image.width - x0);
    for (int row = std::max(0, -y0); row < g->rows && y0 + row < image.height && first < last; ++row) {
      const unsigned char* from = g->ink.data() + static_cast<std::ptrdiff_t>(row) * g->width;
      unsigned char* to = image.data + static_cast<std::ptrdiff_t>(y0 + row) * image.stride + x0;
      for (int col = first; col < last; ++col) to[col] = std::max(to[col], from[col]);
    }
  }
}

unsigned LabelFace::Glyph(char32_t c) const { return FreeType().FT_Get_Char_Index(Face(), c); }

template <class Visit>
void LabelFace::ForEachAdvance(std::string_view text, Visit visit) const {
  if (std::vector<const TableGlyph*> glyphs; TableGlyphs(text, glyphs)) {
    for (const TableGlyph* g : glyphs) visit(g->codePoint, static_cast<std::int64_t>(g->advance));
    return;
  }
  const FT_Face face = Face();
  const std::lock_guard<std::mutex> hold(lock_);
  for (const char32_t c : ToCodePoints(text)) {
    FT_Fixed advance = 0;
    FreeType().FT_Get_Advance(face, Glyph(c), kUnscaled, &advance);
    visit(c, static_cast<std::int64_t>(advance));
  }
}

TextSize LabelFace::Measure(std::string_view text, double size) const {
  const double scale = size / unitsPerEm_;
  std::int64_t units = 0;
  ForEachAdvance(text, [&units](char32_t, std::int64_t advance) { units += advance; });
  return {static_cast<double>(units) * scale, (ascender_ - descender_) * scale, ascender_ * scale};
}

std::vector<LabelFace::Pen> LabelFace::Pens(std::string_view text, double x, double size) const {
  const double scale = size / unitsPerEm_;
  std::vector<Pen> pens;
  std::int64_t units = 0;  // summed whole, as Measure sums them
  ForEachAdvance(text, [&](char32_t c, std::int64_t advance) {
    pens.push_back({c, x + static_cast<double>(units) * scale});
    units += advance;
  });
  return pens;
}

std::string LabelFace::GlyphOutline(char32_t c) const {
  if (const TableGlyph* g = InTable(c)) return std::string(table_->outlines.substr(g->outlineAt, g->outlineSize));
  const FT_Face face = Face();
  const std::lock_guard<std::mutex> hold(lock_);
  if (FreeType().FT_Load_Glyph(face, Glyph(c), kUnscaled) != 0) return {};
  render::GlyphOutline outline;
  FreeType().FT_Outline_Decompose(&face->glyph->outline, &kOutlineFuncs, &outline);
  return OutlinePath(outline);
}

TextSize MeasureLabelText(const TemplateGeometry& g, const std::string& text) {
  return LabelFace::For(g.fixedPitch).Measure(text, g.fontHeight);
}

}  // namespace velmora::render
