#pragma once
// The two data files the barcode core reads: the wizard's catalogue (AI lengths)
// and GS1's Barcode Syntax Dictionary (formats, linters, pairings).
#include <stdexcept>
#include <string>

#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

struct Gs1Data {
  AiCatalogue catalogue;
  SyntaxDictionary dictionary;
};

inline constexpr const char* kCatalogueFile = "ID128.inf";
inline constexpr const char* kDictionaryFile = "gs1-syntax-dictionary.txt";

// Reads both from `directory` (file names matched without regard to case);
// throws std::runtime_error naming the file that is missing or unreadable.
Gs1Data LoadGs1Data(const std::string& directory);

}  // namespace velmora::symbol
