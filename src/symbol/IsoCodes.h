#pragma once
// Country and currency codes from Debian's iso-codes tables.
#include <set>
#include <string>
#include <string_view>

namespace velmora::symbol {

struct IsoCodes {
  std::set<std::string, std::less<>> countryNumeric;  // ISO 3166-1 "004" ...
  std::set<std::string, std::less<>> countryAlpha2;   // "AF" ...
  std::set<std::string, std::less<>> currencyNumeric; // ISO 4217 "978" ...
  bool loaded = false;  // false when the tables were not found: those checks are not made
};

// Reads iso_3166-1.json and iso_4217.json from `directory`.
IsoCodes LoadIsoCodes(const std::string& directory);

// The tables of the installed iso-codes package, read once.
const IsoCodes& InstalledIsoCodes();

}  // namespace velmora::symbol
