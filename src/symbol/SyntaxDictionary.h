#pragma once
// GS1's Barcode Syntax Dictionary: for every AI its data components (character
// set, lengths, linters) and its pairing rules. The shipped dictionary is
// compiled in (scripts/generate-gs1-tables), so looking an AI up reads
// constants: no run parses a table first.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::symbol {

using AiPatterns = std::span<const std::string_view>;  // AI patterns; an 'n' matches any digit

struct Component {
  char charset = 'N';  // N digits, X CSET 82, Y CSET 39, Z CSET 64 (base64url)
  int minLength = 1;
  int maxLength = 1;
  bool optional = false;
  std::span<const std::string_view> linters;
};

struct AiSyntax {
  std::span<const Component> components;
  bool predefinedLength = false;  // the "*" flag: no FNC1 needed after it
  // Each req= rule: a list of alternatives, each a group of AI patterns that must
  // all be there ("01+21").
  std::span<const std::span<const AiPatterns>> required;
  AiPatterns excluded;  // ex= patterns
  // GS1 Digital Link: a primary key ("dlpkey") takes its qualifiers in one of
  // these orders ("dlpkey=22,10,21|235": {22,10,21} or {235}), any of them left
  // out; `dlAttribute` (the "?" flag): the AI may be a URI's query parameter.
  bool dlPrimaryKey = false;
  std::span<const AiPatterns> dlQualifiers;
  bool dlAttribute = false;
  std::string_view title;
};

class SyntaxDictionary {
 public:
  // The entry of a 2- to 4-digit AI, or nullptr when GS1 defines no such AI.
  const AiSyntax* Find(std::string_view ai) const;
  // The AI that starts `text` (as GS1 AIs are prefix-free), or the empty text.
  std::string AiAtStart(std::string_view text) const;
  // Every AI with its entry, in the order of the AIs.
  std::vector<std::pair<std::string, const AiSyntax&>> Entries() const;
};

// Does `ai` match `pattern` ("31nn" matches 3103)?
bool MatchesPattern(std::string_view ai, std::string_view pattern);

}  // namespace velmora::symbol
