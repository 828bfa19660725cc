#pragma once
// A second reader of QR Codes: zbar, opened only when zxing-cpp's reading of a
// QR Code does not match what was encoded. Debian's zxing-cpp 1.4 cuts a GS1
// QR Code's data after a '%'; zbar reads the same symbols whole.
#include "symbol/ZxingScan.h"

namespace velmora::symbol {

// The QR Code in the image as zbar reads it ("]Q3" when its data is GS1's);
// throws std::runtime_error when libzbar is not installed.
ScanResult ScanQrWithZbar(const GreyImage& image);

}  // namespace velmora::symbol
