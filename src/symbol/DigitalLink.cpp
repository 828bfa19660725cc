#include "symbol/DigitalLink.h"

#include <algorithm>

#include "symbol/DigitalLinkKeys.h"
#include "symbol/UriText.h"

namespace velmora::symbol {
namespace {

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
  for (const AiPatterns order : dictionary.Find(key)->dlQualifiers) {
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

std::string MakeDigitalLink(const Elements& given, const SyntaxDictionary& dictionary, std::string_view domain) {
  const Elements elements = Distinct(given);
  const auto key = std::find_if(elements.begin(), elements.end(),
                                [&](const Element& e) { return PrimaryKeySyntax(e.ai, dictionary) != nullptr; });
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

}  // namespace velmora::symbol
