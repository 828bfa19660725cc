#include "symbol/SymbolKinds.h"

#include <vector>

#include "platform/Tables.h"

namespace velmora::symbol {

const SymbolKindRow& RowOf(SymbolKind kind) { return RowOfMember(kSymbolKinds, &SymbolKindRow::kind, kind); }

std::optional<SymbolKind> SymbolNamed(std::string_view name) {
  return KeyNamed(kSymbolKinds, &SymbolKindRow::name, &SymbolKindRow::kind, name);
}

std::string SymbolNameList() {
  std::vector<std::string> names;
  for (const SymbolKindRow& row : kSymbolKinds) names.emplace_back(row.name);
  return ListedWords(names, "or");
}

std::string SymbolHelp() {
  std::string help;
  for (const SymbolKindRow& row : kSymbolKinds) {
    help += std::string(help.empty() ? "" : ", ") + row.name + " (" + row.help + ")";
  }
  return help;
}

}  // namespace velmora::symbol
