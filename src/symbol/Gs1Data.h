#pragma once
// What the barcode core checks and splits by: GS1's Barcode Syntax Dictionary
// (formats, linters, pairings, Digital Link keys), the code lists its linters
// look codes up in and Digital Link's convenience alphas, all compiled in; and
// the wizard's catalogue (AI lengths), read from its data folder.
#include <stdexcept>
#include <string>

#include "symbol/CodeLists.h"
#include "symbol/DigitalLink.h"
#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

struct Gs1Data {
  AiCatalogue catalogue;  // empty when only element strings are read
  SyntaxDictionary dictionary;
  CodeLists codes;
  ConvenienceAlphas dlAlphas;  // GS1 Digital Link's deprecated path names
};

inline constexpr const char* kCatalogueFile = "ID128.inf";

// The compiled-in tables with the catalogue of `directory` (its file name
// matched without regard to case); throws std::runtime_error naming the file
// when it is missing, unreadable or holds no AI: no template's data is split
// without it.
Gs1Data LoadGs1Data(const std::string& directory);

}  // namespace velmora::symbol
