#include "symbol/SymbolKinds.h"

#include <vector>

#include "platform/Tables.h"

namespace velmora::symbol {

const SymbolKindRow& RowOf(SymbolKind kind) {
  const SymbolKindRow* row = RowWhere(kSymbolKinds, &SymbolKindRow::kind, kind);
  return row != nullptr ? *row : kSymbolKinds[0];  // every kind has its row
}

std::optional<SymbolKind> SymbolNamed(std::string_view name) {
  const SymbolKindRow* row = RowWhere(kSymbolKinds, &SymbolKindRow::name, name);
  return row != nullptr ? std::optional<SymbolKind>(row->kind) : std::nullopt;
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
