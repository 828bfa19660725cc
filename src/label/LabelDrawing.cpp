#include "label/LabelDrawing.h"

#include <cmath>

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

namespace velmora::label {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerMm = 72.0 / kMmPerInch;

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

cairo_status_t AppendTo(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// A face the template names may not exist here: fixed pitch asks for any monospace face.
void SelectFont(cairo_t* cr, const TemplateGeometry& g) {
  cairo_select_font_face(cr, g.fixedPitch ? "monospace" : g.fontFace.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, g.fontHeight);
}

// The one drawing routine; user space is in millimetres.
void Draw(cairo_t* cr, const LabelLayout& l, const symbol::EncodedSymbol& symbol, const TemplateGeometry& g) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, 0, 0, l.width, l.height);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  for (const auto& [start, width] : symbol::BarRuns(symbol)) {
    cairo_rectangle(cr, l.barsLeft + start * l.module, l.barsTop, width * l.module, l.barsHeight);
  }
  cairo_fill(cr);
  if (l.text.empty()) return;
  SelectFont(cr, g);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  cairo_move_to(cr, l.textLeft, l.textTop + font.ascent);
  cairo_show_text(cr, l.text.c_str());
}

}  // namespace

TextSize MeasureText(const TemplateGeometry& g, const std::string& text) {
  const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
  const Context cr(cairo_create(surface.get()));
  SelectFont(cr.get(), g);
  cairo_text_extents_t extents;
  cairo_text_extents(cr.get(), text.c_str(), &extents);
  cairo_font_extents_t font;
  cairo_font_extents(cr.get(), &font);
  return {extents.x_advance, font.ascent + font.descent};
}

LabelLayout LayOutLabel(const TemplateGeometry& g, const symbol::EncodedSymbol& symbol, const std::string& text) {
  return LayOut(g, static_cast<int>(symbol.modules.size()), text,
                [&g](const std::string& t) { return MeasureText(g, t); });
}

Raster RenderRaster(const LabelLayout& layout, const symbol::EncodedSymbol& symbol, const TemplateGeometry& g, int dpi,
                    bool encodePng) {
  const double pixelsPerMm = dpi / kMmPerInch;
  // Whole pixels per module and a bar start on a pixel edge: no grey edges to confuse a scanner.
  LabelLayout l = layout;
  const double modulePixels = std::max(1.0, std::round(l.module * pixelsPerMm));
  l.module = modulePixels / pixelsPerMm;
  l.barsLeft = std::round(l.barsLeft * pixelsPerMm) / pixelsPerMm;
  l.width = std::max(l.width, l.barsLeft + (l.modules + kQuietModules) * l.module);
  const int width = static_cast<int>(std::ceil(l.width * pixelsPerMm));
  const int height = static_cast<int>(std::ceil(l.height * pixelsPerMm));
  const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  {
    const Context cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), pixelsPerMm, pixelsPerMm);
    Draw(cr.get(), l, symbol, g);
  }
  cairo_surface_flush(surface.get());
  Raster raster;
  if (encodePng) cairo_surface_write_to_png_stream(surface.get(), AppendTo, &raster.png);
  raster.grey.width = width;
  raster.grey.height = height;
  raster.grey.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = row[x];
      raster.grey.pixels[static_cast<std::size_t>(y * width + x)] =
          static_cast<std::uint8_t>((((p >> 16) & 0xFF) * 77 + ((p >> 8) & 0xFF) * 150 + (p & 0xFF) * 29) >> 8);
    }
  }
  return raster;
}

std::string RenderSvg(const LabelLayout& l, const symbol::EncodedSymbol& symbol, const TemplateGeometry& g) {
  std::string svg;
  {
    const Surface surface(
        cairo_svg_surface_create_for_stream(AppendTo, &svg, l.width * kPointsPerMm, l.height * kPointsPerMm));
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_MM);
    const Context cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), kPointsPerMm, kPointsPerMm);
    Draw(cr.get(), l, symbol, g);
  }
  return svg;
}

struct PdfDocument::State {
  std::string bytes;
  Surface surface;
  Context cr;
};

PdfDocument::PdfDocument() : state_(std::make_unique<State>()) {
  state_->surface.reset(cairo_pdf_surface_create_for_stream(AppendTo, &state_->bytes, 100, 100));
  state_->cr.reset(cairo_create(state_->surface.get()));
}

PdfDocument::~PdfDocument() = default;

void PdfDocument::AddPage(const LabelLayout& l, const symbol::EncodedSymbol& symbol, const TemplateGeometry& g) {
  cairo_t* cr = state_->cr.get();
  cairo_pdf_surface_set_size(state_->surface.get(), l.width * kPointsPerMm, l.height * kPointsPerMm);
  cairo_save(cr);
  cairo_scale(cr, kPointsPerMm, kPointsPerMm);
  Draw(cr, l, symbol, g);
  cairo_restore(cr);
  cairo_show_page(cr);
  ++pages_;
}

std::string PdfDocument::Finish() {
  state_->cr.reset();
  state_->surface.reset();  // the document is complete once the surface is gone
  return state_->bytes;
}

}  // namespace velmora::label
