#include "symbol/SymbolKinds.h"

namespace velmora::symbol {

const SymbolKindRow& RowOf(SymbolKind kind) {
  for (const SymbolKindRow& row : kSymbolKinds) {
    if (row.kind == kind) return row;
  }
  return kSymbolKinds[0];  // every kind has its row
}

std::optional<SymbolKind> SymbolNamed(std::string_view name) {
  for (const SymbolKindRow& row : kSymbolKinds) {
    if (name == row.name) return row.kind;
  }
  return std::nullopt;
}

std::string SymbolNameList() {
  std::string list;
  const std::size_t count = std::size(kSymbolKinds);
  for (std::size_t i = 0; i < count; ++i) {
    list += std::string(i == 0 ? "" : i + 1 == count ? " or " : ", ") + kSymbolKinds[i].name;
  }
  return list;
}

std::string SymbolHelp() {
  std::string help;
  for (const SymbolKindRow& row : kSymbolKinds) {
    help += std::string(help.empty() ? "" : ", ") + row.name + " (" + row.help + ")";
  }
  return help;
}

}  // namespace velmora::symbol
