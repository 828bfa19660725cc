#include "symbol/DataTitles.h"

#include <algorithm>

namespace velmora::symbol {
namespace {

bool Has(const Component& c, std::string_view linter) {
  return std::find(c.linters.begin(), c.linters.end(), linter) != c.linters.end();
}

// A date component's digits as dd.mm.yy (or dd.mm.yyyy); "" when it is no date.
std::string Date(const Component& c, std::string_view digits) {
  if ((Has(c, "yymmd0") || Has(c, "yymmdd")) && digits.size() == 6) {
    return std::string(digits.substr(4, 2)) + "." + std::string(digits.substr(2, 2)) + "." +
           std::string(digits.substr(0, 2));
  }
  if (Has(c, "yyyymmdd") && digits.size() == 8) {
    return std::string(digits.substr(6, 2)) + "." + std::string(digits.substr(4, 2)) + "." +
           std::string(digits.substr(0, 4));
  }
  return "";
}

// The measures and amounts (31nn-36nn, 390n-395n) say in the AI's last digit
// how many of their digits are decimals.
int Decimals(std::string_view ai) {
  if (ai.size() != 4) return -1;
  const bool measure = ai[0] == '3' && ai[1] >= '1' && ai[1] <= '6';
  const bool amount = ai.substr(0, 2) == "39" && ai[2] >= '0' && ai[2] <= '5';
  return measure || amount ? ai[3] - '0' : -1;
}

// "001250" with 2 decimals: "12.50".
std::string Placed(std::string_view digits, int decimals) {
  std::string whole(digits.substr(0, digits.size() - std::min<std::size_t>(decimals, digits.size())));
  const std::string fraction(digits.substr(whole.size()));
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.empty() ? 0 : whole.size() - 1));
  if (whole.empty()) whole = "0";
  return fraction.empty() ? whole : whole + "." + fraction;
}

}  // namespace

TitledValue Titled(const Element& element, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(element.ai);
  if (syntax == nullptr || syntax->title.empty()) return {"AI (" + element.ai + ")", element.data};
  TitledValue t{std::string(syntax->title), ""};
  std::string_view rest = element.data;
  const std::size_t count = syntax->components.size();
  for (std::size_t i = 0; i < count && !rest.empty(); ++i) {
    const Component& c = syntax->components[i];
    const std::size_t length = i + 1 == count ? rest.size() : std::min<std::size_t>(c.maxLength, rest.size());
    const std::string_view part = rest.substr(0, length);
    rest.remove_prefix(length);
    std::string shown = Date(c, part);
    if (!shown.empty() && count == 1) t.title += part.size() == 6 ? " (dd.mm.yy)" : " (dd.mm.yyyy)";
    if (shown.empty())
      shown = i + 1 == count && Decimals(element.ai) >= 0 ? Placed(part, Decimals(element.ai)) : std::string(part);
    t.value += (t.value.empty() ? "" : " ") + shown;
  }
  return t;
}

}  // namespace velmora::symbol
