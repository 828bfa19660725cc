#include "label/BilevelPng.h"

#include <png.h>
#include <zlib.h>

#include <array>
#include <vector>

namespace velmora::label {
namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

// libpng reports errors by a long jump back here: nothing in this function has a
// destructor to skip, and the rows were packed before it was called.
bool WritePng(std::string* out, const png_byte* packed, std::size_t rowBytes, png_uint_32 width, png_uint_32 height,
              png_uint_32 perMetre) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, Append, nullptr);
  // A bilevel image compresses well at the fastest level; most of a label is runs.
  png_set_compression_level(png, Z_BEST_SPEED);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (png_uint_32 y = 0; y < height; ++y) png_write_row(png, packed + y * rowBytes);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string EncodeBilevelPng(const unsigned char* ink, int width, int height, int stride, int dpi) {
  const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
  std::vector<png_byte> packed(rowBytes * static_cast<std::size_t>(height), 0);
  // PNG wants the first pixel in the highest bit and 1 for white: reverse and invert each byte.
  static const std::array<png_byte, 256> kFlip = [] {
    std::array<png_byte, 256> table{};
    for (unsigned b = 0; b < 256; ++b) {
      unsigned r = 0;
      for (int k = 0; k < 8; ++k) r |= ((b >> k) & 1u) << (7 - k);
      table[b] = static_cast<png_byte>(~r & 0xFF);
    }
    return table;
  }();
  for (int y = 0; y < height; ++y) {
    const unsigned char* in = ink + static_cast<std::ptrdiff_t>(y) * stride;
    png_byte* out = packed.data() + static_cast<std::size_t>(y) * rowBytes;
    for (std::size_t i = 0; i < rowBytes; ++i) out[i] = kFlip[in[i]];
  }
  std::string bytes;
  const auto perMetre = static_cast<png_uint_32>(dpi / 0.0254 + 0.5);
  if (!WritePng(&bytes, packed.data(), rowBytes, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                perMetre)) {
    return {};
  }
  return bytes;
}

}  // namespace velmora::label
