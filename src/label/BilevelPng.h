#pragma once
// A black-and-white image as a 1-bit greyscale PNG, as label printers take them.
#include <string>


namespace velmora::label {

// A 1-bit ink map as cairo's A1 surfaces hold it on a little-endian machine
// (eight pixels a byte, the first in the lowest bit; 1 is ink), `stride` bytes a
// row. `dpi` is recorded in the file.
std::string EncodeBilevelPng(const unsigned char* ink, int width, int height, int stride, int dpi);

// Whether pixel `x` of an A1 row is ink.
inline bool InkAt(const unsigned char* row, int x) { return ((row[x >> 3] >> (x & 7)) & 1) != 0; }

}  // namespace velmora::label
