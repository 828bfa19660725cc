#include "symbol/CodeLists.h"

#include <stdexcept>
#include <vector>

namespace velmora::symbol {
namespace {

bool OfShape(std::string_view s, std::size_t length, bool digits) {
  if (s.size() != length) return false;
  for (const char c : s) {
    if (digits ? (c < '0' || c > '9') : (c < 'A' || c > 'Z')) return false;
  }
  return true;
}

bool IsPackageCode(std::string_view s) {
  if (s.empty() || s.size() > 3) return false;
  for (const char c : s) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

// Calls `row` with the tab-separated fields of every line that is neither
// blank nor a comment, and its number; a file without such a line is refused.
template <class Row>
void ForEachRow(std::string_view text, const std::string& file, Row row) {
  int number = 0;
  int rows = 0;
  std::vector<std::string_view> fields;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    fields.clear();
    for (std::size_t at = 0;;) {
      const std::size_t tab = line.find('\t', at);
      fields.push_back(line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at));
      if (tab == std::string_view::npos) break;
      at = tab + 1;
    }
    if (!row(fields)) throw std::runtime_error(file + " line " + std::to_string(number) + ": not a line of this table");
    ++rows;
  }
  if (rows == 0) throw std::runtime_error(file + ": no code in this table");
}

}  // namespace

void CodeLists::ReadCountries(std::string_view text, const std::string& file) {
  ForEachRow(text, file, [this](const std::vector<std::string_view>& f) {
    if (f.size() < 3 || !OfShape(f[0], 3, true) || !OfShape(f[1], 2, false) || !OfShape(f[2], 3, false)) return false;
    countryNumeric_.Add(f[0]);
    countryAlpha2_.Add(f[1]);
    countryAlpha3_.Add(f[2]);
    return true;
  });
  for (Codes* codes : {&countryNumeric_, &countryAlpha2_, &countryAlpha3_}) codes->Seal();
}

void CodeLists::ReadCurrencies(std::string_view text, const std::string& file) {
  ForEachRow(text, file, [this](const std::vector<std::string_view>& f) {
    if (f.size() < 2 || !OfShape(f[0], 3, true) || !OfShape(f[1], 3, false)) return false;
    currencyNumeric_.Add(f[0]);
    currencyAlpha_.Add(f[1]);
    return true;
  });
  currencyNumeric_.Seal();
  currencyAlpha_.Seal();
}

void CodeLists::ReadPackageTypes(std::string_view text, const std::string& file) {
  ForEachRow(text, file, [this](const std::vector<std::string_view>& f) {
    if (f.size() != 1 || !IsPackageCode(f[0])) return false;
    packageTypes_.Add(f[0]);
    return true;
  });
  packageTypes_.Seal();
}

}  // namespace velmora::symbol
