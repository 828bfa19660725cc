#pragma once
// The pages of a PWG raster file (1-bit black or 8-bit grey) as grey images, as
// a scanner would see the printed labels; read with libcups's raster reader.
#include <string>
#include <vector>

#include "symbol/ZxingScan.h"

namespace velmora::test {

std::vector<symbol::GreyImage> ReadPwgPages(const std::string& path);

}  // namespace velmora::test
