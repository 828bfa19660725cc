#pragma once
// A black-and-white image as a 1-bit greyscale PNG, as label printers take them.
#include <string>

#include "symbol/ZintSymbol.h"

namespace velmora::render {

// An ink map as cairo's A8 surfaces hold it (one byte a pixel, 0 paper, 255
// ink; from 128 up is black), `stride` bytes a row, a multiple of 4 as cairo
// makes them. `dpi` is recorded in the file.
std::string EncodeBilevelPng(const unsigned char* ink, int width, int height, int stride, int dpi);

// The same ink map packed eight pixels a byte, the first in the highest bit, a
// row ending on a whole byte with paper: 1 is ink when `inkIsOne`, else paper.
std::string PackBilevel(const unsigned char* ink, int width, int height, int stride, bool inkIsOne);

// The symbol alone as a PNG in its quiet zone, `dotsPerModule` dots a module, at
// `dpi`: GS1-128's bars `heightDots` high, a 2D symbol's modules square.
std::string SymbolPng(const symbol::EncodedSymbol& symbol, int dotsPerModule, int heightDots, int dpi);

}  // namespace velmora::render
