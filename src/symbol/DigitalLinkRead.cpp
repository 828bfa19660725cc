// Reading a GS1 Digital Link URI back into its elements. Columns in messages
// count the URI's characters from 1.
#include <algorithm>
#include <set>

#include "symbol/DigitalLink.h"
#include "symbol/DigitalLinkKeys.h"
#include "symbol/Findings.h"
#include "symbol/UriText.h"

namespace velmora::symbol {
namespace {

// A piece of the URI and where it starts in it (from 0).
struct Piece {
  std::string_view text;
  std::size_t at = 0;
};

std::vector<Piece> Split(std::string_view text, std::size_t at, char separator) {
  std::vector<Piece> pieces;
  std::size_t start = 0;
  for (std::size_t end = text.find(separator);; end = text.find(separator, start)) {
    pieces.push_back({text.substr(start, end == std::string_view::npos ? end : end - start), at + start});
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

bool AllDigits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; }

// The AI a path segment names: its digits, or a convenience alpha's; "" for neither.
std::string PathAi(std::string_view segment, const SyntaxDictionary& dictionary, const ConvenienceAlphas& alphas) {
  if (AllDigits(segment)) return dictionary.Find(segment) != nullptr ? std::string(segment) : "";
  return std::string(alphas.Find(segment));
}

std::string Decoded(const Piece& value, bool query, const std::string& ai) {
  std::size_t bad = 0;
  std::optional<std::string> text = UnescapeUriValue(value.text, query, bad);
  if (!text) {
    throw DigitalLinkError("AI (" + ai + "): '%' must be followed by two hexadecimal digits, other than 00",
                           value.at + bad + 1);
  }
  return std::move(*text);
}

// Where the path's scheme, domain and path start; throws for a URI that has none.
std::size_t PathStart(std::string_view uri) {
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (!IsUriCharacter(uri[i]))
      throw DigitalLinkError("character '" + Printable(uri.substr(i, 1)) + "' cannot be in a URI", i + 1);
  }
  if (!LooksLikeUri(uri)) throw DigitalLinkError("a GS1 Digital Link URI starts with https:// or http://", 1);
  const std::size_t domain = uri.find("://") + 3;
  const std::size_t path = uri.find('/', domain);
  if (path == std::string_view::npos || path == domain)
    throw DigitalLinkError("no domain and path after the scheme", domain + 1);
  for (std::size_t i = domain; i < path; ++i) {
    if (std::string_view("_~?#@!$&'()*+,;=%").find(uri[i]) != std::string_view::npos) {
      throw DigitalLinkError("character '" + std::string(1, uri[i]) + "' cannot be in a domain", i + 1);
    }
  }
  return path;
}

// The index of the segment holding the primary key: pairs of AI and value are
// walked back from the end of the path; what stands before the key is the stem.
std::size_t KeySegment(const std::vector<Piece>& segments, const SyntaxDictionary& dictionary,
                       const ConvenienceAlphas& alphas) {
  for (std::size_t i = segments.size(); i >= 2; i -= 2) {
    const Piece& name = segments[i - 2];
    const std::string ai = PathAi(name.text, dictionary, alphas);
    if (ai.empty()) {
      if (AllDigits(name.text))
        throw DigitalLinkError("unknown AI (" + Shortened(name.text) + ") in the path", name.at + 1);
      break;
    }
    if (dictionary.Find(ai)->dlPrimaryKey) return i - 2;
  }
  throw DigitalLinkError(
      "no GS1 Digital Link primary key in the path; one of " + PrimaryKeyList(dictionary) + " is needed",
      segments.front().at);
}

// The path's AIs must be one of the key's orders; the first that breaks it is named.
void CheckOrder(const std::vector<std::string>& ais, const std::vector<std::size_t>& at,
                const SyntaxDictionary& dictionary) {
  const std::vector<std::vector<std::string>> paths = KeyPaths(ais.front(), dictionary);
  for (std::size_t n = 2; n <= ais.size(); ++n) {
    const std::vector<std::string> prefix(ais.begin(), ais.begin() + static_cast<std::ptrdiff_t>(n));
    if (std::find(paths.begin(), paths.end(), prefix) != paths.end()) continue;
    throw DigitalLinkError("AI (" + ais[n - 1] + ") cannot follow (" + ais[n - 2] + ") in the path: (" + ais.front() +
                               ") takes " + QualifierOrders(ais.front(), dictionary),
                           at[n - 1] + 1);
  }
}

// A query parameter that is an AI must be one GS1 allows there, and not one
// the path should hold.
void CheckAttribute(const std::string& ai, std::size_t at, const std::vector<std::string>& path,
                    const SyntaxDictionary& dictionary) {
  const std::vector<std::vector<std::string>> paths = KeyPaths(path.front(), dictionary);
  for (std::size_t i = 1; i <= path.size(); ++i) {
    std::vector<std::string> with = path;
    with.insert(with.begin() + static_cast<std::ptrdiff_t>(i), ai);
    if (std::find(paths.begin(), paths.end(), with) != paths.end()) {
      throw DigitalLinkError("AI (" + ai + ") belongs in the path, after (" + path[i - 1] + ")", at + 1);
    }
  }
  if (!dictionary.Find(ai)->dlAttribute) {
    throw DigitalLinkError(
        "AI (" + ai + ") cannot be a query parameter: GS1 does not allow it as a Digital Link data attribute", at + 1);
  }
}

// The elements read so far, each AI once.
struct Reading {
  ReadLink link;
  std::set<std::string> seen;
  void Add(const std::string& ai, std::string data, std::size_t at) {
    if (!seen.insert(ai).second) throw DigitalLinkError("AI (" + ai + ") is given twice", at + 1);
    link.elements.push_back({ai, std::move(data)});
  }
};

void ReadQuery(const Piece& query, const std::vector<std::string>& path, const SyntaxDictionary& dictionary,
               Reading& r) {
  for (const Piece& parameter : Split(query.text, query.at, '&')) {
    if (parameter.text.empty()) continue;
    const std::size_t equals = parameter.text.find('=');
    const std::string_view name = parameter.text.substr(0, equals);
    if (equals == std::string_view::npos || !AllDigits(name)) {  // no AI: kept aside, as it came
      r.link.keptAside.emplace_back(parameter.text);
      continue;
    }
    const std::string ai(name);
    if (dictionary.Find(ai) == nullptr)
      throw DigitalLinkError("unknown AI (" + Shortened(ai) + ") in the query", parameter.at + 1);
    const Piece value{parameter.text.substr(equals + 1), parameter.at + equals + 1};
    if (value.text.empty()) throw DigitalLinkError("AI (" + ai + ") has no value in the query", value.at + 1);
    CheckAttribute(ai, parameter.at, path, dictionary);
    r.Add(ai, Decoded(value, true, ai), parameter.at);
  }
}

}  // namespace

ReadLink ReadDigitalLink(std::string_view uri, const SyntaxDictionary& dictionary, const ConvenienceAlphas& alphas) {
  const std::size_t pathStart = PathStart(uri);
  const std::size_t end = std::min(uri.find('#'), uri.size());  // the fragment is the browser's, not data
  const std::size_t question = std::min(uri.find('?', pathStart), end);
  const std::string_view path = uri.substr(pathStart, question - pathStart);
  if (path.size() > 1 && path.back() == '/') throw DigitalLinkError("the path ends in '/'", question);
  const std::vector<Piece> segments = Split(path.substr(1), pathStart + 1, '/');
  const std::size_t key = KeySegment(segments, dictionary, alphas);
  Reading r;
  r.link.stem = std::string(uri.substr(0, segments[key].at - 1));
  std::vector<std::string> pathAis;
  std::vector<std::size_t> pathAt;
  for (std::size_t i = key; i + 1 < segments.size(); i += 2) {
    const std::string ai = PathAi(segments[i].text, dictionary, alphas);
    if (segments[i + 1].text.empty())
      throw DigitalLinkError("AI (" + ai + ") has no value in the path", segments[i + 1].at + 1);
    r.Add(ai, Decoded(segments[i + 1], false, ai), segments[i].at);
    pathAis.push_back(ai);
    pathAt.push_back(segments[i].at);
  }
  CheckOrder(pathAis, pathAt, dictionary);
  if (question < end) ReadQuery({uri.substr(question + 1, end - question - 1), question + 1}, pathAis, dictionary, r);
  return std::move(r.link);
}

}  // namespace velmora::symbol
