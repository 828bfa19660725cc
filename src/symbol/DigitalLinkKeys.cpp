#include "symbol/DigitalLinkKeys.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "symbol/DigitalLink.h"

namespace velmora::symbol {
namespace {

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
  return text;
}

}  // namespace

const AiSyntax* PrimaryKeySyntax(const std::string& ai, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(ai);
  return syntax != nullptr && syntax->dlPrimaryKey ? syntax : nullptr;
}

ConvenienceAlphas ParseConvenienceAlphas(std::string_view text, const std::string& path) {
  ConvenienceAlphas alphas;
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t space = line.find(' ');
    const std::string_view ai = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (space == 0 || ai.size() < 2 || ai.size() > 4 || ai.find_first_not_of("0123456789") != std::string_view::npos) {
      throw std::runtime_error(path + " line " + std::to_string(number) + ": not an \"alpha AI\" pair");
    }
    alphas.emplace(line.substr(0, space), ai);
  }
  return alphas;
}

std::vector<std::vector<std::string>> KeyPaths(const std::string& key, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = PrimaryKeySyntax(key, dictionary);
  if (syntax == nullptr) return {};
  // A space sorts before every digit, so vectors of AIs sort as their texts.
  std::set<std::vector<std::string>> paths = {{key}};
  for (const std::vector<std::string>& order : syntax->dlQualifiers) {
    const std::size_t n = std::min<std::size_t>(order.size(), 12);
    for (std::size_t mask = 1; mask < (std::size_t{1} << n); ++mask) {
      std::vector<std::string> path = {key};
      for (std::size_t i = 0; i < n; ++i) {
        if ((mask >> i & 1) != 0) path.push_back(order[i]);
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
  for (const std::vector<std::string>& order : syntax->dlQualifiers) orders.push_back(Join(order, ", "));
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
