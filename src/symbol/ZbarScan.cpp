#include "symbol/ZbarScan.h"

#include <zbar.h>

#include <memory>

#include "platform/SharedLibrary.h"

// clang-format off
#define VELMORA_ZBAR_FUNCTIONS(F) \
  F(zbar_image_create) \
  F(zbar_image_destroy) \
  F(zbar_image_first_symbol) \
  F(zbar_image_scanner_create) \
  F(zbar_image_scanner_destroy) \
  F(zbar_image_scanner_set_config) \
  F(zbar_image_set_data) \
  F(zbar_image_set_format) \
  F(zbar_image_set_size) \
  F(zbar_scan_image) \
  F(zbar_symbol_get_data) \
  F(zbar_symbol_get_data_length) \
  F(zbar_symbol_get_modifiers) \
  F(zbar_symbol_get_type) \
  F(zbar_symbol_next)
// clang-format on

// zbar declares its C functions in a namespace of its own for C++: the table takes them from the global one.
#define VELMORA_ZBAR_USING(name) using zbar::name;
VELMORA_ZBAR_FUNCTIONS(VELMORA_ZBAR_USING)

namespace velmora::symbol {
namespace {

using namespace zbar;  // its types and constants

struct ZbarLibrary {
  VELMORA_ZBAR_FUNCTIONS(VELMORA_TABLE_MEMBER)
};

const ZbarLibrary& Zbar() {
  static const ZbarLibrary zbar = VELMORA_OPEN_LIBRARY(ZbarLibrary, VELMORA_ZBAR_FUNCTIONS, "libzbar.so.0",
                                                       "a second reading of a QR Code needs libzbar");
  return zbar;
}

}  // namespace

ScanResult ScanQrWithZbar(const GreyImage& image) {
  const ZbarLibrary& z = Zbar();
  const std::unique_ptr<zbar_image_scanner_t, void (*)(zbar_image_scanner_t*)> scanner(z.zbar_image_scanner_create(),
                                                                                       z.zbar_image_scanner_destroy);
  z.zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
  z.zbar_image_scanner_set_config(scanner.get(), ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
  const std::unique_ptr<zbar_image_t, void (*)(zbar_image_t*)> picture(z.zbar_image_create(), z.zbar_image_destroy);
  z.zbar_image_set_format(picture.get(), zbar_fourcc('Y', '8', '0', '0'));
  z.zbar_image_set_size(picture.get(), static_cast<unsigned>(image.width), static_cast<unsigned>(image.height));
  z.zbar_image_set_data(picture.get(), image.pixels.data(), image.pixels.size(), nullptr);
  ScanResult scan;
  if (z.zbar_scan_image(scanner.get(), picture.get()) <= 0) return scan;
  for (const zbar_symbol_t* s = z.zbar_image_first_symbol(picture.get()); s != nullptr; s = z.zbar_symbol_next(s)) {
    if (z.zbar_symbol_get_type(s) != ZBAR_QRCODE) continue;
    scan.found = true;
    scan.text.assign(z.zbar_symbol_get_data(s), z.zbar_symbol_get_data_length(s));
    scan.symbologyIdentifier = (z.zbar_symbol_get_modifiers(s) & (1U << ZBAR_MOD_GS1)) != 0 ? "]Q3" : "]Q1";
    break;
  }
  return scan;
}

}  // namespace velmora::symbol
