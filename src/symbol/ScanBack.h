#pragma once
// The loop that proves a symbol: draw it, scan it with zxing-cpp, and compare
// what the scanner reads with the elements that were encoded.
#include <string>

#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"
#include "symbol/ZintSymbol.h"
#include "symbol/ZxingScan.h"

namespace velmora::symbol {

// The symbol as a scanner would see it printed: `pixelsPerModule` wide modules,
// ten modules of quiet zone on each side.
GreyImage RenderForScan(const EncodedSymbol& symbol, int pixelsPerModule = 2, int height = 40);

// The elements of what a scanner read ("]C1" data with GS separators), split with
// the dictionary's predefined lengths; throws ElementError where it cannot.
Elements ElementsOfScan(const ScanResult& scan, const SyntaxDictionary& dictionary);

// Empty when `image` scans back to `expected`; else what went wrong.
std::string VerifyScan(const GreyImage& image, const Elements& expected, const SyntaxDictionary& dictionary);

}  // namespace velmora::symbol
