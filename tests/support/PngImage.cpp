#include "support/PngImage.h"

#include <cairo.h>

namespace velmora::test {

symbol::GreyImage LoadPngGrey(const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  symbol::GreyImage g;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
    g.width = cairo_image_surface_get_width(s);
    g.height = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const bool alpha = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < g.height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
      for (int x = 0; x < g.width; ++x) {
        const bool transparent = alpha && (row[x] >> 24) == 0;
        g.pixels.push_back(transparent ? 255 : static_cast<std::uint8_t>((row[x] >> 8) & 0xFF));
      }
    }
  }
  cairo_surface_destroy(s);
  return g;
}

}  // namespace velmora::test
