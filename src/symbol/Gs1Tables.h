#pragma once
// The GS1 tables of data/ as constants, generated at build time by
// scripts/generate-gs1-tables: the syntax dictionary, the code lists its
// linters look codes up in, and Digital Link's convenience alphas.
#include <cstdint>
#include <span>
#include <string_view>

#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

struct ConvenienceAlpha {
  std::string_view alpha;  // "gtin"
  std::string_view ai;     // "01"
};

struct Gs1Tables {
  std::span<const AiSyntax> syntaxes;     // one for each line of the dictionary
  std::span<const std::uint16_t> lines;   // each 2- to 4-digit AI's line; 0xFFFF when GS1 defines none
  std::span<const std::string_view> ais;  // every AI, sorted
  // Codes of one to three characters, each kept as a number (CodeLists::Key), sorted.
  std::span<const std::uint32_t> countryNumeric, countryAlpha2, countryAlpha3;
  std::span<const std::uint32_t> currencyNumeric, currencyAlpha, packageTypes;
  std::span<const ConvenienceAlpha> alphas;   // sorted by alpha
  std::span<const CatalogueEntry> catalogue;  // of the shipped ID128.inf, sorted by number
  std::string_view catalogueFile;             // that file's bytes
};

extern const Gs1Tables kGs1Tables;

}  // namespace velmora::symbol
