#define ZX_USE_UTF8 1  // text() as UTF-8
#include "symbol/ZxingScan.h"

#include <ZXing/ReadBarcode.h>

namespace velmora::symbol {

namespace {

ScanResult Scan(const GreyImage& image, ZXing::BarcodeFormat format) {
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryRotate(false);
  const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
  const ZXing::Result result = ZXing::ReadBarcode(view, hints);
  ScanResult scan;
  scan.found = result.isValid();
  if (scan.found) {
    scan.text = result.text();
    scan.symbologyIdentifier = result.symbologyIdentifier();
  }
  return scan;
}

}  // namespace

ScanResult ScanCode128(const GreyImage& image) { return Scan(image, ZXing::BarcodeFormat::Code128); }

ScanResult ScanMatrix(const GreyImage& image, bool qr) {
  return Scan(image, qr ? ZXing::BarcodeFormat::QRCode : ZXing::BarcodeFormat::DataMatrix);
}

}  // namespace velmora::symbol
