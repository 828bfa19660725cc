#include "symbol/ElementForms.h"

#include <array>
#include <numeric>

namespace velmora::symbol {
namespace {

constexpr char kGs = '\x1D';
constexpr std::string_view kFnc1Marker = "{FNC1}";
constexpr std::array<std::string_view, 5> kGs1Identifiers = {"]C1", "]d2", "]Q3", "]e0", "]J1"};

bool IsSeparator(char c) { return c == kGs || c == '^'; }

std::size_t PredefinedLength(const AiSyntax& s) {
  return std::accumulate(
      s.components.begin(), s.components.end(), std::size_t{0},
      [](std::size_t sum, const Component& c) { return sum + static_cast<std::size_t>(c.maxLength); });
}

// The unbracketed data with every FNC1 as GS; `position` maps each kept
// character to where it stood in the text (from 1), for the errors.
std::string WithGsSeparators(std::string_view text, std::vector<std::size_t>& position) {
  std::string data;
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i).starts_with(kFnc1Marker)) {
      data += kGs;
      position.push_back(i + 1);
      i += kFnc1Marker.size();
      continue;
    }
    data += text[i];
    position.push_back(++i);
  }
  position.push_back(text.size() + 1);
  return data;
}

// AIs one after another: a predefined-length AI takes its length, any other
// runs to the next separator.
Elements ReadUnbracketed(std::string_view text, std::size_t offset, const SyntaxDictionary& dictionary) {
  const std::string where = "element string";
  std::vector<std::size_t> position;
  const std::string data = WithGsSeparators(text.substr(offset), position);
  Elements elements;
  for (std::size_t i = 0; i < data.size();) {
    if (IsSeparator(data[i])) {
      ++i;
      continue;
    }
    const std::string ai = dictionary.AiAtStart(std::string_view(data).substr(i));
    if (ai.empty()) throw ElementError(where, offset + position[i], "no AI that GS1 defines starts here");
    const std::size_t start = i + ai.size();
    std::size_t end = std::min(data.find_first_of("\x1D^", start), data.size());
    const AiSyntax& syntax = *dictionary.Find(ai);
    if (syntax.predefinedLength) end = std::min(end, start + PredefinedLength(syntax));
    elements.push_back({ai, data.substr(start, end - start)});
    i = end;
  }
  if (elements.empty()) throw ElementError(where, text.size() + 1, "no AI follows FNC1");
  return elements;
}

}  // namespace

Elements ReadElementString(std::string_view text, const SyntaxDictionary& dictionary) {
  if (text.empty()) throw ElementError("element string", 1, "no element");
  if (text[0] == '(') return ParseElementString(text);
  if (text[0] == '[') return ParseElementString(text, '[', ']');
  if (text[0] == ']') {
    for (const std::string_view id : kGs1Identifiers) {
      if (text.starts_with(id)) return ReadUnbracketed(text, id.size(), dictionary);
    }
    throw ElementError("element string", 1,
                       "symbology identifier '" + std::string(text.substr(0, 3)) +
                           "' does not mark GS1 data (]C1, ]d2, ]Q3, ]e0, ]J1)");
  }
  if (IsSeparator(text[0])) return ReadUnbracketed(text, 1, dictionary);
  if (text.starts_with(kFnc1Marker)) return ReadUnbracketed(text, kFnc1Marker.size(), dictionary);
  throw ElementError("element string", 1,
                     "an element string starts with '(', '[', a symbology identifier (]C1) or FNC1 (GS, '^', {FNC1})");
}

std::string UnbracketedElements(const Elements& elements, const SyntaxDictionary& dictionary, std::string_view prefix,
                                std::string_view separator) {
  std::string text(prefix);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const Element& e = elements[i];
    text += e.ai + e.data;
    const AiSyntax* syntax = dictionary.Find(e.ai);
    const bool ended = syntax != nullptr && syntax->predefinedLength && e.data.size() == PredefinedLength(*syntax);
    if (i + 1 < elements.size() && !ended) text += separator;
  }
  return text;
}

}  // namespace velmora::symbol
