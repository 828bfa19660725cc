#include "symbol/SymbolChoice.h"

namespace velmora::symbol {

EncodedSymbol EncodeAs(SymbolKind kind, const Elements& elements, const SyntaxDictionary& dictionary,
                       std::string_view domain) {
  if (kind == SymbolKind::Gs1_128) return EncodeGs1_128(elements);
  const std::string uri = CarriesUri(kind) ? MakeDigitalLink(elements, dictionary, domain) : std::string();
  return EncodeMatrix(kind, elements, uri);
}

}  // namespace velmora::symbol
