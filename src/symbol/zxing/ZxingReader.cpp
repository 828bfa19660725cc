// The plugin that reads symbols back with zxing-cpp: a shared object of its
// own, opened by a run only when it scans (--verify), so that no other run
// maps zxing-cpp and the C++ runtime it brings. Its face is plain C: the
// program carries a C++ runtime of its own.
#define ZX_USE_UTF8 1  // text() as UTF-8
#include <ZXing/ReadBarcode.h>

#include <cstring>

#include "symbol/ZxingPlugin.h"

extern "C" __attribute__((visibility("default"))) int velmora_zxing_read(const unsigned char* pixels, int width,
                                                                         int height, int format,
                                                                         VelmoraZxingResult* result) {
  try {
    ZXing::DecodeHints hints;
    hints.setFormats(format == VELMORA_ZXING_CODE128      ? ZXing::BarcodeFormat::Code128
                     : format == VELMORA_ZXING_DATAMATRIX ? ZXing::BarcodeFormat::DataMatrix
                                                          : ZXing::BarcodeFormat::QRCode);
    hints.setTryRotate(false);
    const ZXing::ImageView view(pixels, width, height, ZXing::ImageFormat::Lum);
    const ZXing::Result read = ZXing::ReadBarcode(view, hints);
    if (!read.isValid()) return 0;
    const std::string text = read.text();
    const std::string id = read.symbologyIdentifier();
    if (text.size() >= sizeof result->text || id.size() >= sizeof result->symbologyIdentifier) return -1;
    std::memcpy(result->text, text.data(), text.size());
    result->textLength = static_cast<int>(text.size());
    std::memcpy(result->symbologyIdentifier, id.c_str(), id.size() + 1);
    return 1;
  } catch (...) {
    return -1;
  }
}
