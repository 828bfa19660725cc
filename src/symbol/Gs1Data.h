#pragma once
// The data files the barcode core reads: the wizard's catalogue (AI lengths),
// GS1's Barcode Syntax Dictionary (formats, linters, pairings, Digital Link
// keys), the code lists its linters look codes up in and Digital Link's
// convenience alphas.
#include <stdexcept>
#include <string>

#include "symbol/CodeLists.h"
#include "symbol/DigitalLink.h"
#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

struct Gs1Data {
  AiCatalogue catalogue;
  SyntaxDictionary dictionary;
  CodeLists codes;
  ConvenienceAlphas dlAlphas;  // GS1 Digital Link's deprecated path names
};

inline constexpr const char* kCatalogueFile = "ID128.inf";
inline constexpr const char* kDictionaryFile = "gs1-syntax-dictionary.txt";
inline constexpr const char* kAlphasFile = "gs1-dl-convenience-alphas.txt";

// Reads them all from `directory` (file names matched without regard to case);
// throws std::runtime_error naming the file that is missing, unreadable or
// malformed: no check is ever made without its table.
Gs1Data LoadGs1Data(const std::string& directory);

}  // namespace velmora::symbol
