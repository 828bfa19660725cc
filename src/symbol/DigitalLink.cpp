#include "symbol/DigitalLink.h"

#include <algorithm>
#include <set>

#include "symbol/DigitalLinkText.h"

namespace velmora::symbol {
namespace {

const AiSyntax* PrimaryKey(const std::string& ai, const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(ai);
  return syntax != nullptr && syntax->dlPrimaryKey ? syntax : nullptr;
}

// Each AI once: the same AI twice with the same data is one element, with
// other data it cannot be one URI.
Elements Distinct(const Elements& elements) {
  Elements once;
  for (const Element& e : elements) {
    const auto same = std::find_if(once.begin(), once.end(), [&](const Element& o) { return o.ai == e.ai; });
    if (same == once.end()) {
      once.push_back(e);
    } else if (same->data != e.data) {
      throw DigitalLinkError("AI (" + e.ai + ") is given twice with different data; a URI carries each AI once");
    }
  }
  return once;
}

const Element* Find(const Elements& elements, const std::string& ai) {
  const auto at = std::find_if(elements.begin(), elements.end(), [&](const Element& e) { return e.ai == ai; });
  return at == elements.end() ? nullptr : &*at;
}

// The first path of the key with the most qualifiers all found in `elements`.
std::vector<std::string> BestPath(const std::string& key, const Elements& elements,
                                  const SyntaxDictionary& dictionary) {
  std::vector<std::string> best = {key};
  for (const std::vector<std::string>& path : KeyPaths(key, dictionary)) {
    const bool all =
        std::all_of(path.begin(), path.end(), [&](const std::string& ai) { return Find(elements, ai) != nullptr; });
    if (all && path.size() > best.size()) best = path;
  }
  return best;
}

// Why `ai` cannot be a query parameter beside the path `path`.
std::string NotAnAttribute(const std::string& ai, const std::vector<std::string>& path,
                           const SyntaxDictionary& dictionary) {
  const AiSyntax* syntax = dictionary.Find(ai);
  if (syntax == nullptr) return "AI (" + ai + ") is not in GS1's dictionary; a GS1 Digital Link URI cannot carry it";
  const std::string& key = path.front();
  for (const std::vector<std::string>& order : dictionary.Find(key)->dlQualifiers) {
    if (std::find(order.begin(), order.end(), ai) != order.end()) {
      return "AI (" + ai + ") qualifies (" + key + ") in the path, which cannot hold it beside " + AiList(path, 1) +
             ": (" + key + ") takes " + QualifierOrders(key, dictionary);
    }
  }
  return "AI (" + ai + ") cannot be in a GS1 Digital Link URI: it is no primary key, key qualifier or data attribute";
}

std::string Query(const Elements& elements, const std::vector<std::string>& path, const SyntaxDictionary& dictionary) {
  std::string query;
  for (const bool predefined : {true, false}) {  // those of predefined length first
    for (const Element& e : elements) {
      const AiSyntax* syntax = dictionary.Find(e.ai);
      if (std::find(path.begin(), path.end(), e.ai) != path.end()) continue;
      if (syntax == nullptr || !syntax->dlAttribute) throw DigitalLinkError(NotAnAttribute(e.ai, path, dictionary));
      if (syntax->predefinedLength != predefined) continue;
      query += (query.empty() ? "?" : "&") + e.ai + "=" + EscapeUriValue(e.data, true);
    }
  }
  return query;
}

}  // namespace

DigitalLinkError::DigitalLinkError(const std::string& reason, std::size_t column)
    : std::runtime_error(reason), column_(column) {}

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
  const AiSyntax* syntax = PrimaryKey(key, dictionary);
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

std::string MakeDigitalLink(const Elements& given, const SyntaxDictionary& dictionary, std::string_view domain) {
  const Elements elements = Distinct(given);
  const auto key = std::find_if(elements.begin(), elements.end(),
                                [&](const Element& e) { return PrimaryKey(e.ai, dictionary) != nullptr; });
  if (key == elements.end()) {
    throw DigitalLinkError("no AI here is a GS1 Digital Link primary key; a URI needs one of " +
                           PrimaryKeyList(dictionary));
  }
  const std::vector<std::string> path = BestPath(key->ai, elements, dictionary);
  std::string uri(domain);
  if (uri.ends_with('/')) uri.pop_back();
  for (const std::string& ai : path) uri += "/" + ai + "/" + EscapeUriValue(Find(elements, ai)->data, false);
  return uri + Query(elements, path, dictionary);
}

bool LooksLikeUri(std::string_view text) {
  for (const std::string_view scheme : {"http://", "https://", "HTTP://", "HTTPS://"}) {
    if (text.starts_with(scheme)) return true;
  }
  return false;
}

}  // namespace velmora::symbol
