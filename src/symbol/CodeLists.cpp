#include "symbol/CodeLists.h"

#include "symbol/Gs1Tables.h"

namespace velmora::symbol {

bool CodeLists::HasCountry(std::string_view numeric) const { return Has(kGs1Tables.countryNumeric, numeric); }
bool CodeLists::HasAlpha2(std::string_view alpha2) const { return Has(kGs1Tables.countryAlpha2, alpha2); }
bool CodeLists::HasAlpha3(std::string_view alpha3) const { return Has(kGs1Tables.countryAlpha3, alpha3); }
bool CodeLists::HasCurrency(std::string_view numeric) const { return Has(kGs1Tables.currencyNumeric, numeric); }
bool CodeLists::HasCurrencyAlpha(std::string_view alpha) const { return Has(kGs1Tables.currencyAlpha, alpha); }
bool CodeLists::HasPackageType(std::string_view code) const { return Has(kGs1Tables.packageTypes, code); }

}  // namespace velmora::symbol
