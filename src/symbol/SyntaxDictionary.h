#pragma once
// GS1's Barcode Syntax Dictionary in memory: for every AI its data components
// (character set, lengths, linters) and its pairing rules.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::symbol {

struct Component {
  char charset = 'N';  // N digits, X CSET 82, Y CSET 39, Z CSET 64 (base64url)
  int minLength = 1;
  int maxLength = 1;
  bool optional = false;
  std::vector<std::string> linters;
};

struct AiSyntax {
  std::vector<Component> components;
  bool predefinedLength = false;  // the "*" flag: no FNC1 needed after it
  // Each req= rule: a list of alternatives, each a group of AI patterns that must
  // all be there ("01+21"); an 'n' in a pattern matches any digit.
  std::vector<std::vector<std::vector<std::string>>> required;
  std::vector<std::string> excluded;  // ex= patterns
  // GS1 Digital Link: a primary key ("dlpkey") takes its qualifiers in one of
  // these orders ("dlpkey=22,10,21|235": {22,10,21} or {235}), any of them left
  // out; `dlAttribute` (the "?" flag): the AI may be a URI's query parameter.
  bool dlPrimaryKey = false;
  std::vector<std::vector<std::string>> dlQualifiers;
  bool dlAttribute = false;
  std::string title;
};

class SyntaxDictionary {
 public:
  // Throws std::runtime_error naming the line of an entry that cannot be read.
  static SyntaxDictionary Parse(std::string_view text);
  // The entry of a 2- to 4-digit AI, or nullptr when GS1 defines no such AI.
  const AiSyntax* Find(std::string_view ai) const;
  // The AI that starts `text` (as GS1 AIs are prefix-free), or the empty text.
  std::string AiAtStart(std::string_view text) const;
  // Every AI with its entry, in the order of the AIs.
  std::vector<std::pair<std::string, const AiSyntax&>> Entries() const;

 private:
  std::vector<AiSyntax> syntaxes_;  // one for each line of the dictionary
  // Each 2- to 4-digit AI's line (an index of syntaxes_, kNone when GS1 defines
  // no such AI), found by arithmetic: every barcode's every AI is looked up.
  static constexpr std::uint16_t kNone = 0xFFFF;
  std::vector<std::uint16_t> lines_ = std::vector<std::uint16_t>(11100, kNone);
  std::vector<std::string> ais_;  // every AI, in the order of the texts
};

// Does `ai` match `pattern` ("31nn" matches 3103)?
bool MatchesPattern(std::string_view ai, std::string_view pattern);

}  // namespace velmora::symbol
