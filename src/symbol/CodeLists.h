#pragma once
// The code lists that GS1's linters look codes up in: ISO 3166-1 countries,
// ISO 4217 currencies and GS1's package types. They come from the data files
// the program ships, so a label checks the same on every machine.
#include <set>
#include <string>
#include <string_view>

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

  bool HasCountry(std::string_view numeric) const { return countryNumeric_.contains(numeric); }
  bool HasAlpha2(std::string_view alpha2) const { return countryAlpha2_.contains(alpha2); }
  bool HasAlpha3(std::string_view alpha3) const { return countryAlpha3_.contains(alpha3); }
  bool HasCurrency(std::string_view numeric) const { return currencyNumeric_.contains(numeric); }
  bool HasCurrencyAlpha(std::string_view alpha) const { return currencyAlpha_.contains(alpha); }
  bool HasPackageType(std::string_view code) const { return packageTypes_.contains(code); }

 private:
  using Codes = std::set<std::string, std::less<>>;
  Codes countryNumeric_, countryAlpha2_, countryAlpha3_;
  Codes currencyNumeric_, currencyAlpha_;
  Codes packageTypes_;
};

}  // namespace velmora::symbol
