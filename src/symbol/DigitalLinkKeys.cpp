#include "symbol/DigitalLinkKeys.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "symbol/DigitalLink.h"
#include "symbol/Gs1Tables.h"

namespace velmora::symbol {
namespace {

template <class Parts>
std::string Join(const Parts& parts, const char* separator) {
  std::string text;
  for (const auto& part : parts) (text += text.empty() ? "" : separator) += part;
  return text;
}

}  // namespace

const AiSyntax* PrimaryKeySyntax(const std::string& ai, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(ai);
  return syntax != nullptr && syntax->dlPrimaryKey ? syntax : nullptr;
}

std::string_view ConvenienceAlphas::Find(std::string_view alpha) const {
  const auto& all = kGs1Tables.alphas;
  const auto at = std::lower_bound(all.begin(), all.end(), alpha,
                                   [](const ConvenienceAlpha& a, std::string_view b) { return a.alpha < b; });
  return at != all.end() && at->alpha == alpha ? at->ai : std::string_view();
}

std::vector<std::vector<std::string>> KeyPaths(const std::string& key, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = PrimaryKeySyntax(key, dictionary);
  if (syntax == nullptr) return {};
  // A space sorts before every digit, so vectors of AIs sort as their texts.
  std::set<std::vector<std::string>> paths = {{key}};
  for (const AiPatterns order : syntax->dlQualifiers) {
    const std::size_t n = std::min<std::size_t>(order.size(), 12);
    for (std::size_t mask = 1; mask < (std::size_t{1} << n); ++mask) {
      std::vector<std::string> path = {key};
      for (std::size_t i = 0; i < n; ++i) {
        if ((mask >> i & 1) != 0) path.emplace_back(order[i]);
      }
      paths.insert(std::move(path));
    }
  }
  return {paths.begin(), paths.end()};
}

std::string AiList(const std::vector<std::string>& ais, std::size_t first) {
  std::vector<std::string> named;
  for (std::size_t i = first; i < ais.size(); ++i) named.push_back("(" + ais[i] + ")");
  return Join(named, ", ");
}

std::string QualifierOrders(const std::string& key, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(key);
  if (syntax == nullptr || syntax->dlQualifiers.empty()) return "no qualifiers";
  std::vector<std::string> orders;
  for (const AiPatterns order : syntax->dlQualifiers) orders.push_back(Join(order, ", "));
  std::string text = orders.back();
  orders.pop_back();
  return orders.empty() ? text : Join(orders, "; ") + " or " + text;
}

std::string PrimaryKeyList(const SyntaxDictionary& dictionary) {
  std::vector<std::string> keys;
  for (const auto& [ai, syntax] : dictionary.Entries()) {
    if (syntax.dlPrimaryKey) keys.push_back(ai);
  }
  return AiList(keys);
}

}  // namespace velmora::symbol
