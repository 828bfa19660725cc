#include "label/LabelDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "label/CairoLibrary.h"
#include "label/ZplLabel.h"
#include "platform/Utf8Text.h"
#include "render/BilevelPng.h"
#include "render/LabelCanvas.h"
#include "render/LabelFaces.h"

namespace velmora::label {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerMm = 72.0 / kMmPerInch;
constexpr const char* kPdfDate = "2000-01-01T00:00:00Z";

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { Cairo().cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { Cairo().cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

cairo_status_t AppendTo(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// The template's face from its file (never a face matched by name), set
// without hinting: the glyphs' advances are those the layout measured.
cairo_font_face_t* FaceOf(bool fixedPitch) {
  const auto make = [](bool fixed) {
    return Cairo().cairo_ft_font_face_create_for_ft_face(render::LabelFace::For(fixed).CairoFace(), 0);
  };
  if (fixedPitch) {
    static cairo_font_face_t* const fixed = make(true);
    return fixed;
  }
  static cairo_font_face_t* const proportional = make(false);
  return proportional;
}

void SelectFont(cairo_t* cr, bool fixedPitch, double height) {
  Cairo().cairo_set_font_face(cr, FaceOf(fixedPitch));
  Cairo().cairo_set_font_size(cr, height);
  cairo_font_options_t* options = Cairo().cairo_font_options_create();
  Cairo().cairo_get_font_options(cr, options);
  Cairo().cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  Cairo().cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  Cairo().cairo_set_font_options(cr, options);
  Cairo().cairo_font_options_destroy(options);
}

// Cairo's side of the canvas; user space is in millimetres.
class CairoCanvas : public render::LabelCanvas {
 public:
  CairoCanvas(cairo_t* cr, bool paper) : cr_(cr), paper_(paper) {}
  ~CairoCanvas() override { FillBars(); }

  void Paper(double width, double height) override {
    if (!paper_) return;  // an ink-only surface has no colour to paint
    Cairo().cairo_set_source_rgb(cr_, 1, 1, 1);
    Cairo().cairo_rectangle(cr_, 0, 0, width, height);
    Cairo().cairo_fill(cr_);
  }

  void Bar(double x, double y, double width, double height) override {
    Cairo().cairo_rectangle(cr_, x, y, width, height);
    bars_ = true;
  }

  void SymbolDone() override { FillBars(); }

  void Text(double x, double baseline, double fontHeight, const std::string&, bool fixedPitch,
            const std::string& text) override {
    FillBars();
    SelectFont(cr_, fixedPitch, fontHeight);
    Cairo().cairo_set_source_rgb(cr_, 0, 0, 0);
    Cairo().cairo_move_to(cr_, x, baseline);
    Cairo().cairo_show_text(cr_, text.c_str());
  }

 private:
  // All bars in one fill: one path, one pass over the surface.
  void FillBars() {
    if (!bars_) return;
    Cairo().cairo_set_source_rgb(cr_, 0, 0, 0);
    Cairo().cairo_fill(cr_);
    bars_ = false;
  }
  cairo_t* cr_;
  bool paper_;
  bool bars_ = false;
};

void Draw(cairo_t* cr, const render::LabelScene& scene) {
  CairoCanvas canvas(cr, true);
  render::DrawLabel(canvas, scene);
}

// An ink-only image: the bars, whole pixels wide, are set straight into its
// bytes (every bar row is the same, so one row is built and copied); FreeType
// sets the text, without cairo.
class BilevelCanvas : public render::LabelCanvas {
 public:
  explicit BilevelCanvas(const render::InkImage& image) : image_(image) {}

  void Paper(double, double) override {}  // the image starts as paper

  void Bar(double x, double y, double width, double height) override {
    const double scale = image_.pixelsPerMm;
    const int left = static_cast<int>(std::lround(x * scale));
    const int right = static_cast<int>(std::lround((x + width) * scale));
    top_ = static_cast<int>(std::lround(y * scale));
    bottom_ = static_cast<int>(std::lround((y + height) * scale));
    if (row_.empty()) row_.assign(static_cast<std::size_t>(image_.stride), 0);
    const int from = std::max(left, 0);
    const int to = std::min(right, image_.width);
    if (from < to) std::fill(row_.begin() + from, row_.begin() + to, static_cast<unsigned char>(255));
  }

  // Kept, then set straight into the image with the bars: the modules lie on whole pixels.
  void Block(double x, double y, double width, double height) override {
    const double scale = image_.pixelsPerMm;
    blocks_.push_back({static_cast<int>(std::lround(x * scale)), static_cast<int>(std::lround(y * scale)),
                       static_cast<int>(std::lround((x + width) * scale)),
                       static_cast<int>(std::lround((y + height) * scale))});
  }

  void Text(double x, double baseline, double fontHeight, const std::string&, bool fixedPitch,
            const std::string& text) override {
    CopyBars();
    render::LabelFace::For(fixedPitch).Paint(text, x, baseline, fontHeight, image_);
  }

  void SymbolDone() override { CopyBars(); }

  ~BilevelCanvas() override { CopyBars(); }

 private:
  void CopyBars() {
    unsigned char* data = image_.data;
    for (int y = std::max(top_, 0); !row_.empty() && y < bottom_ && y < image_.height; ++y) {
      std::copy(row_.begin(), row_.end(), data + static_cast<std::ptrdiff_t>(y) * image_.stride);
    }
    for (const Rect& b : blocks_) {
      const int left = std::max(b.left, 0);
      const int right = std::min(b.right, image_.width);
      for (int y = std::max(b.top, 0); y < b.bottom && y < image_.height && left < right; ++y) {
        std::fill_n(data + static_cast<std::ptrdiff_t>(y) * image_.stride + left, right - left, 255);
      }
    }
    row_.clear();
    blocks_.clear();
  }

  struct Rect {
    int left, top, right, bottom;
  };

  render::InkImage image_;
  std::vector<unsigned char> row_;
  std::vector<Rect> blocks_;
  int top_ = 0;
  int bottom_ = 0;
};

}  // namespace

render::LabelLayout LayOutLabel(const render::TemplateGeometry& g, const symbol::EncodedSymbol& symbol,
                                const std::string& text, double matrixModule, double maxWidth) {
  return LayOutLabel(
      g, symbol, text, matrixModule, [&g](const std::string& t) { return render::MeasureLabelText(g, t); }, maxWidth);
}

namespace {

// The largest image a label is drawn to: cairo's own limit on a side, and a
// bound on the memory one label takes (an image, and the scanner's copy of it).
constexpr double kMaxSideDots = 32767;
constexpr double kMaxDots = 64.0 * 1024 * 1024;

void RefuseOversized(const render::LabelScene& l, double width, double height, int dpi) {
  if (width <= kMaxSideDots && height <= kMaxSideDots && width * height <= kMaxDots) return;
  char size[160];
  std::snprintf(size, sizeof size, "the label is %.1f x %.1f mm, %.0f x %.0f dots at %d dpi", l.width, l.height, width,
                height, dpi);
  throw std::runtime_error(std::string(size) +
                           ": more than 32767 dots a side or 64 million dots in all cannot be drawn"
                           " (a lower --dpi, a narrower bar or a smaller font makes it smaller)");
}

}  // namespace

namespace {

// An 8-bit image turned `rotate` degrees clockwise; `width`, `height` and
// `stride` become the turned image's.
std::vector<unsigned char> Turned(const std::vector<unsigned char>& ink, int& width, int& height, int& stride,
                                  int rotate) {
  const int w = rotate == 180 ? width : height;
  const int h = rotate == 180 ? height : width;
  const int s = (w + 3) & ~3;
  std::vector<unsigned char> turned(static_cast<std::size_t>(s) * static_cast<std::size_t>(h), 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int fromX = rotate == 90 ? y : rotate == 180 ? width - 1 - x : width - 1 - y;
      const int fromY = rotate == 90 ? height - 1 - x : rotate == 180 ? height - 1 - y : x;
      turned[static_cast<std::size_t>(y) * static_cast<std::size_t>(s) + static_cast<std::size_t>(x)] =
          ink[static_cast<std::size_t>(fromY) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(fromX)];
    }
  }
  width = w;
  height = h;
  stride = s;
  return turned;
}

// Whole pixels per module and a bar start on a pixel edge: no grey edges to
// confuse a scanner. A 2D symbol's rows lie on pixel edges too, its text moved
// below what it grew, and the label with it.
void SnapToPixels(render::LabelScene& scene, double pixelsPerMm) {
  for (render::SceneSymbol& s : scene.symbols) {
    render::LabelLayout& l = s.layout;
    const double modulePixels = std::max(1.0, std::round(l.module * pixelsPerMm));
    const double grown = modulePixels / pixelsPerMm - l.module;
    l.module += grown;
    l.barsLeft = std::round(l.barsLeft * pixelsPerMm) / pixelsPerMm;
    scene.width = std::max(scene.width, l.barsLeft + (l.modules + l.quiet) * l.module);
    if (l.rows == 0) continue;
    l.barsTop = std::round(l.barsTop * pixelsPerMm) / pixelsPerMm;
    l.barsHeight = l.rows * l.module;
    const double below = std::max(0.0, (l.rows + l.quiet) * grown + 1 / pixelsPerMm);
    l.textTop += below;
    l.textBaseline += below;
    scene.height += below;
  }
}

}  // namespace

Raster RenderRaster(const render::LabelScene& scene, int dpi, bool encodePng, bool grey, int zplCopies, bool pbm,
                    int rotate) {
  const double pixelsPerMm = dpi / kMmPerInch;
  render::LabelScene l = scene;
  SnapToPixels(l, pixelsPerMm);
  const double widthDots = std::ceil(l.width * pixelsPerMm);
  const double heightDots = std::ceil(l.height * pixelsPerMm);
  RefuseOversized(l, widthDots, heightDots, dpi);
  const int width = static_cast<int>(widthDots);
  const int height = static_cast<int>(heightDots);
  // Ink only, black or white in the end: a label printer prints each dot or not.
  const int stride = (width + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0);
  {
    BilevelCanvas canvas({pixels.data(), width, height, stride, pixelsPerMm});
    render::DrawLabel(canvas, l);
  }
  Raster raster;
  if (grey) {  // the scanner's image, as drawn: the symbol the same whichever way the label is turned
    raster.grey.width = width;
    raster.grey.height = height;
    raster.grey.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint8_t* out = raster.grey.pixels.data();
    for (int y = 0; y < height; ++y, out += width) {
      const unsigned char* row = pixels.data() + static_cast<std::ptrdiff_t>(y) * stride;
      for (int x = 0; x < width; ++x) out[x] = row[x] >= 128 ? 0 : 255;
    }
  }
  int w = width;
  int h = height;
  int s = stride;
  if (rotate != 0) pixels = Turned(pixels, w, h, s, rotate);
  const unsigned char* ink = pixels.data();
  if (encodePng) raster.png = render::EncodeBilevelPng(ink, w, h, s, dpi);
  if (zplCopies > 0) raster.zpl = ZplLabel(ink, w, h, s, zplCopies);
  if (pbm)
    raster.pbm = "P4\n" + std::to_string(w) + " " + std::to_string(h) + "\n" + render::PackBilevel(ink, w, h, s, true);
  return raster;
}

struct PdfDocument::State {
  std::string bytes;
  std::function<void(std::string_view)> sink;
  Surface surface;
  Context cr;
};

namespace {

cairo_status_t SendTo(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<PdfDocument::State*>(closure)->sink(std::string_view(reinterpret_cast<const char*>(data), length));
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

PdfDocument::PdfDocument(std::function<void(std::string_view)> sink) : state_(std::make_unique<State>()) {
  state_->sink = std::move(sink);
  state_->surface.reset(state_->sink ? Cairo().cairo_pdf_surface_create_for_stream(SendTo, state_.get(), 100, 100)
                                     : Cairo().cairo_pdf_surface_create_for_stream(AppendTo, &state_->bytes, 100, 100));
  // A fixed date instead of the clock's: the same labels make the same file.
  Cairo().cairo_pdf_surface_set_metadata(state_->surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, kPdfDate);
  state_->cr.reset(Cairo().cairo_create(state_->surface.get()));
}

PdfDocument::~PdfDocument() = default;

void PdfDocument::AddPage(const render::LabelScene& l, int rotate) {
  cairo_t* cr = state_->cr.get();
  const bool quarter = render::QuarterTurn(rotate);
  const double across = quarter ? l.height : l.width;
  const double down = quarter ? l.width : l.height;
  Cairo().cairo_pdf_surface_set_size(state_->surface.get(), across * kPointsPerMm, down * kPointsPerMm);
  Cairo().cairo_save(cr);
  Cairo().cairo_scale(cr, kPointsPerMm, kPointsPerMm);
  if (rotate != 0) {  // turned clockwise, back onto the page's corner
    Cairo().cairo_translate(cr, rotate == 270 ? 0 : across, rotate == 90 ? 0 : down);
    Cairo().cairo_rotate(cr, rotate * M_PI / 180);
  }
  Draw(cr, l);
  Cairo().cairo_restore(cr);
  Cairo().cairo_show_page(cr);
  ++pages_;
}

void PdfDocument::AddToSheet(const render::LabelScene& l, double sheetWidth, double sheetHeight, double x, double y,
                             bool newSheet) {
  cairo_t* cr = state_->cr.get();
  if (newSheet && sheetOpen_) Cairo().cairo_show_page(cr);
  if (newSheet || !sheetOpen_) {
    Cairo().cairo_pdf_surface_set_size(state_->surface.get(), sheetWidth * kPointsPerMm, sheetHeight * kPointsPerMm);
    sheetOpen_ = true;
    ++pages_;
  }
  Cairo().cairo_save(cr);
  Cairo().cairo_scale(cr, kPointsPerMm, kPointsPerMm);
  Cairo().cairo_translate(cr, x, y);
  Draw(cr, l);
  Cairo().cairo_restore(cr);
}

std::string PdfDocument::Finish() {
  if (sheetOpen_) Cairo().cairo_show_page(state_->cr.get());
  state_->cr.reset();
  state_->surface.reset();  // the document is complete once the surface is gone
  return state_->bytes;
}

}  // namespace velmora::label
