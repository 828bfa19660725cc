#pragma once
// Country and currency codes from Debian's iso-codes tables, read the first
// time a check asks for one: most barcodes need none of them.
#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace velmora::symbol {

class IsoCodes {
 public:
  // The tables iso_3166-1.json and iso_4217.json of `directory`.
  explicit IsoCodes(std::string directory) : directory_(std::move(directory)) {}
  IsoCodes(const IsoCodes&) = delete;
  IsoCodes& operator=(const IsoCodes&) = delete;

  // False when the tables were not found: those checks are then not made.
  bool Loaded() const { return Tables().loaded; }
  bool HasCountry(std::string_view numeric) const { return Tables().countryNumeric.contains(numeric); }
  bool HasAlpha2(std::string_view alpha2) const { return Tables().countryAlpha2.contains(alpha2); }
  bool HasCurrency(std::string_view numeric) const { return Tables().currencyNumeric.contains(numeric); }

 private:
  struct Codes {
    std::set<std::string, std::less<>> countryNumeric;   // ISO 3166-1 "004" ...
    std::set<std::string, std::less<>> countryAlpha2;    // "AF" ...
    std::set<std::string, std::less<>> currencyNumeric;  // ISO 4217 "978" ...
    bool loaded = false;
  };
  const Codes& Tables() const;

  std::string directory_;
  mutable std::once_flag once_;
  mutable Codes codes_;
};

// The tables of the installed iso-codes package (VELMORA_ISO_CODES_DIR, else
// /usr/share/iso-codes/json).
const IsoCodes& InstalledIsoCodes();

}  // namespace velmora::symbol
