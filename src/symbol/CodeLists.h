#pragma once
// The code lists that GS1's linters look codes up in: ISO 3166-1 countries,
// ISO 4217 currencies and GS1's package types. They come from the data files
// the program ships, so a label checks the same on every machine.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::symbol {

inline constexpr const char* kCountryFile = "iso-3166-1.tsv";
inline constexpr const char* kCurrencyFile = "iso-4217.tsv";
inline constexpr const char* kPackageTypeFile = "gs1-package-types.txt";

class CodeLists {
 public:
  // Each reads the text of its file; `file` names it in the std::runtime_error
  // thrown for a line that is not of the file's shape or a file with no code.
  void ReadCountries(std::string_view text, const std::string& file);
  void ReadCurrencies(std::string_view text, const std::string& file);
  void ReadPackageTypes(std::string_view text, const std::string& file);

  bool HasCountry(std::string_view numeric) const { return countryNumeric_.Has(numeric); }
  bool HasAlpha2(std::string_view alpha2) const { return countryAlpha2_.Has(alpha2); }
  bool HasAlpha3(std::string_view alpha3) const { return countryAlpha3_.Has(alpha3); }
  bool HasCurrency(std::string_view numeric) const { return currencyNumeric_.Has(numeric); }
  bool HasCurrencyAlpha(std::string_view alpha) const { return currencyAlpha_.Has(alpha); }
  bool HasPackageType(std::string_view code) const { return packageTypes_.Has(code); }

  // Codes of one to three characters, each kept as a number, sorted: a table
  // is read without an allocation a code, and looked up by halves.
  class Codes {
   public:
    void Add(std::string_view code) { keys_.push_back(Key(code)); }
    void Seal() { std::sort(keys_.begin(), keys_.end()); }
    bool Has(std::string_view code) const {
      return code.size() <= 3 && std::binary_search(keys_.begin(), keys_.end(), Key(code));
    }

   private:
    static std::uint32_t Key(std::string_view code) {
      std::uint32_t key = static_cast<std::uint32_t>(code.size());
      for (const char c : code.substr(0, 3)) key = key << 8 | static_cast<unsigned char>(c);
      return key;
    }
    std::vector<std::uint32_t> keys_;
  };

 private:
  Codes countryNumeric_, countryAlpha2_, countryAlpha3_;
  Codes currencyNumeric_, currencyAlpha_;
  Codes packageTypes_;
};

}  // namespace velmora::symbol
