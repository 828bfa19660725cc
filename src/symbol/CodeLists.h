#pragma once
// The code lists that GS1's linters look codes up in: ISO 3166-1 countries,
// ISO 4217 currencies and GS1's package types, compiled in from the files of
// data/ (scripts/generate-gs1-tables), so a label checks the same on every
// machine.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

namespace velmora::symbol {

class CodeLists {
 public:
  bool HasCountry(std::string_view numeric) const;
  bool HasAlpha2(std::string_view alpha2) const;
  bool HasAlpha3(std::string_view alpha3) const;
  bool HasCurrency(std::string_view numeric) const;
  bool HasCurrencyAlpha(std::string_view alpha) const;
  bool HasPackageType(std::string_view code) const;

  // A code of one to three characters as the number the tables keep: its
  // length, then its characters, a byte each.
  static constexpr std::uint32_t Key(std::string_view code) {
    std::uint32_t key = static_cast<std::uint32_t>(code.size());
    for (const char c : code.substr(0, 3)) key = key << 8 | static_cast<unsigned char>(c);
    return key;
  }
  static bool Has(std::span<const std::uint32_t> keys, std::string_view code) {
    return code.size() <= 3 && std::binary_search(keys.begin(), keys.end(), Key(code));
  }
};

}  // namespace velmora::symbol
