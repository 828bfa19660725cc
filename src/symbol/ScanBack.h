#pragma once
// The loop that proves a symbol: draw it, scan it with zxing-cpp, and compare
// what the scanner reads with the elements that were encoded.
#include <string>

#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"
#include "symbol/ZintSymbol.h"
#include "symbol/ZxingScan.h"

namespace velmora::symbol {

// The symbol as a scanner would see it printed: `pixelsPerModule` wide modules
// in their quiet zone; GS1-128's bars `height` pixels high.
GreyImage RenderForScan(const EncodedSymbol& symbol, int pixelsPerModule = 2, int height = 40);

// The elements of what a scanner read (data with GS separators after the
// symbology identifier `identifier`), split with the dictionary's predefined
// lengths; throws ElementError where it cannot.
Elements ElementsOfScan(const ScanResult& scan, const SyntaxDictionary& dictionary, const char* identifier = "]C1");

// Empty when `image` scans back to `expected` as GS1-128; else what went wrong.
std::string VerifyScan(const GreyImage& image, const Elements& expected, const SyntaxDictionary& dictionary);

// Empty when `image` scans back to what `symbol` encodes, with its symbology
// identifier; else what went wrong.
std::string VerifySymbol(const GreyImage& image, const EncodedSymbol& symbol, const SyntaxDictionary& dictionary);

}  // namespace velmora::symbol
