#include "render/BilevelPng.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace velmora::render {
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
  // The bar rows repeat: filtered against the row above they are all zeros,
  // which the fastest level compresses at once.
  png_set_compression_level(png, Z_BEST_SPEED);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_compression_strategy(png, Z_RLE);
  png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (png_uint_32 y = 0; y < height; ++y) png_write_row(png, packed + y * rowBytes);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// Eight ink bytes to one byte: the first pixel in the highest bit, 1 for ink.
// The high bit of each byte is gathered by one multiplication.
unsigned char PackEight(const unsigned char* ink) {
  std::uint64_t word;
  std::memcpy(&word, ink, sizeof word);
  return static_cast<unsigned char>(((word >> 7) & 0x0101010101010101ULL) * 0x8040201008040201ULL >> 56);
}

}  // namespace

std::string PackBilevel(const unsigned char* ink, int width, int height, int stride, bool inkIsOne) {
  const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
  std::string packed(rowBytes * static_cast<std::size_t>(height), '\0');
  const unsigned char flip = inkIsOne ? 0 : 0xFF;
  for (int y = 0; y < height; ++y) {
    const unsigned char* in = ink + static_cast<std::ptrdiff_t>(y) * stride;
    auto* out = reinterpret_cast<unsigned char*>(packed.data()) + static_cast<std::size_t>(y) * rowBytes;
    int x = 0;
    for (; x + 8 <= width; x += 8) out[x >> 3] = PackEight(in + x) ^ flip;
    if (x < width) {  // the padding bits are paper
      unsigned char tail[8] = {};
      std::copy(in + x, in + width, tail);
      const unsigned char paper = inkIsOne ? 0 : static_cast<unsigned char>(0xFF >> (width - x));
      out[x >> 3] = static_cast<unsigned char>((PackEight(tail) ^ flip) | paper);
    }
  }
  return packed;
}

std::string EncodeBilevelPng(const unsigned char* ink, int width, int height, int stride, int dpi) {
  const auto rowBytes = static_cast<std::size_t>((width + 7) / 8);
  const std::string packedRows = PackBilevel(ink, width, height, stride, false);  // PNG's 1 is white
  const auto* packed = reinterpret_cast<const png_byte*>(packedRows.data());
  std::string bytes;
  const auto perMetre = static_cast<png_uint_32>(dpi / 0.0254 + 0.5);
  if (!WritePng(&bytes, packed, rowBytes, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                perMetre)) {
    return {};
  }
  return bytes;
}

std::string SymbolPng(const symbol::EncodedSymbol& symbol, int dotsPerModule, int heightDots, int dpi) {
  const int quiet = symbol::QuietModules(symbol.kind);
  const bool matrix = symbol::IsMatrix(symbol.kind);
  const int rowDots = matrix ? dotsPerModule : heightDots;  // a 2D symbol's rows are square modules
  const int margin = matrix ? quiet * dotsPerModule : 0;
  const int width = (symbol.Columns() + 2 * quiet) * dotsPerModule;
  const int height = symbol.rows * rowDots + 2 * margin;
  const int stride = (width + 3) / 4 * 4;
  std::vector<unsigned char> ink(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0);
  for (int r = 0; r < symbol.rows; ++r) {
    for (const auto& [start, bar] : symbol::BarRuns(symbol, r)) {
      for (int y = margin + r * rowDots; y < margin + (r + 1) * rowDots; ++y) {
        const auto from = static_cast<std::ptrdiff_t>(y) * stride + (quiet + start) * dotsPerModule;
        std::fill_n(ink.begin() + from, bar * dotsPerModule, static_cast<unsigned char>(255));
      }
    }
  }
  return EncodeBilevelPng(ink.data(), width, height, stride, dpi);
}

}  // namespace velmora::render
