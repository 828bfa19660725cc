#pragma once
// GS1 Digital Link URIs ("https://id.gs1.org/01/09506000134352/10/ABC123?17=271231")
// made from element strings and read back into them, by the syntax dictionary's
// own rules: which AIs are primary keys, the qualifiers each takes in the path
// and in what order, which AIs may be query parameters.
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "symbol/DigitalLinkKeys.h"
#include "symbol/Elements.h"
#include "symbol/SyntaxDictionary.h"
#include "symbol/UriText.h"

namespace velmora::symbol {

inline constexpr const char* kDefaultDigitalLinkDomain = "https://id.gs1.org";

// A URI that cannot be read, or elements that cannot be one; `Column()` counts
// the URI's characters from 1 (0 when the fault is in elements).
class DigitalLinkError : public std::runtime_error {
 public:
  DigitalLinkError(const std::string& reason, std::size_t column = 0);
  std::size_t Column() const { return column_; }

 private:
  std::size_t column_;
};

// The deprecated short names of path AIs ("gtin" for 01), read never written.
class ConvenienceAlphas {
 public:
  std::string_view Find(std::string_view alpha) const;  // its AI, or the empty text
};

// The URI of `elements` under `domain` ("https://example.com", a trailing '/'
// dropped): the first primary key with the most of its qualifiers in the path,
// the other AIs as query parameters, those of predefined length first. An AI
// given twice with the same data is written once. Throws DigitalLinkError
// naming the AI that prevents it.
std::string MakeDigitalLink(const Elements& elements, const SyntaxDictionary& dictionary,
                            std::string_view domain = kDefaultDigitalLinkDomain);

struct ReadLink {
  Elements elements;                   // the path's, then the query's, in the URI's order
  std::vector<std::string> keptAside;  // query parameters that are no AI ("utm=1", "singleton")
  std::string stem;                    // scheme, domain and any path before the primary key
};

// The elements of a GS1 Digital Link URI; throws DigitalLinkError with the
// column of what is not one. Their data is not checked here: run GS1's checks
// on the elements.
ReadLink ReadDigitalLink(std::string_view uri, const SyntaxDictionary& dictionary, const ConvenienceAlphas& alphas);

}  // namespace velmora::symbol
