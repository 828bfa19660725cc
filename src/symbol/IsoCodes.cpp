#include "symbol/IsoCodes.h"

#include <cstdlib>
#include <fstream>

#include <nlohmann/json.hpp>

namespace velmora::symbol {
namespace {

nlohmann::json ReadJson(const std::string& path) {
  std::ifstream in(path);
  if (!in) return {};
  return nlohmann::json::parse(in, nullptr, false);
}

void Collect(const nlohmann::json& list, const char* field, std::set<std::string, std::less<>>& into) {
  if (!list.is_array()) return;
  for (const auto& entry : list) {
    if (entry.is_object() && entry.contains(field) && entry[field].is_string()) into.insert(entry[field].get<std::string>());
  }
}

}  // namespace

const IsoCodes::Codes& IsoCodes::Tables() const {
  std::call_once(once_, [this] {
    const nlohmann::json countries = ReadJson(directory_ + "/iso_3166-1.json");
    const nlohmann::json currencies = ReadJson(directory_ + "/iso_4217.json");
    if (!countries.is_object() || !currencies.is_object()) return;
    Collect(countries.value("3166-1", nlohmann::json()), "numeric", codes_.countryNumeric);
    Collect(countries.value("3166-1", nlohmann::json()), "alpha_2", codes_.countryAlpha2);
    Collect(currencies.value("4217", nlohmann::json()), "numeric", codes_.currencyNumeric);
    codes_.loaded = !codes_.countryNumeric.empty() && !codes_.currencyNumeric.empty();
  });
  return codes_;
}

const IsoCodes& InstalledIsoCodes() {
  static const IsoCodes codes([] {
    const char* dir = std::getenv("VELMORA_ISO_CODES_DIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/usr/share/iso-codes/json");
  }());
  return codes;
}

}  // namespace velmora::symbol
