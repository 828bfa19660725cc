#pragma once
// Scanning a drawn symbol back with zxing-cpp: the one file that speaks to it.
#include <cstdint>
#include <string>
#include <vector>

#include "symbol/SymbolKinds.h"

namespace velmora::symbol {

// An 8-bit grey image, one byte a pixel, rows top to bottom.
struct GreyImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

struct ScanResult {
  std::string symbologyIdentifier;  // "]C1" for GS1-128
  std::string text;                 // the data, with a GS (0x1D) where FNC1 separated elements
  bool found = false;
};

// Finds and reads a Code 128 symbol in the image.
ScanResult ScanCode128(const GreyImage& image);

// Finds and reads a symbol of `symbology` in the image.
ScanResult ScanSymbol(const GreyImage& image, Symbology symbology);

}  // namespace velmora::symbol
