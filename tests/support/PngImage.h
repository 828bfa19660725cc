#pragma once
// A PNG file as the grey image a scanner sees; transparent pixels are paper.
#include <string>

#include "symbol/ZxingScan.h"

namespace velmora::test {

symbol::GreyImage LoadPngGrey(const std::string& path);

}  // namespace velmora::test
