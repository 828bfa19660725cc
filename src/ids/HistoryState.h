#pragma once
// The module-level data of the AI model: the catalogue, the chosen AIs and the
// state that formula composition carries from one piece to the next.
#include <array>
#include <cstdint>
#include <string>

#include "base/IdRecord.h"
#include "base/VbArray.h"

namespace velmora {

// Indexes of the four flag arrays, by the flag bit they copy.
enum IdFlag : std::size_t { FlagCheckDigit = 0, FlagDecimalList = 1, FlagPrefixNine = 2, FlagOwnListTexts = 3 };

struct HistoryState {
  VbArray<IdRecord> IdTable;
  std::int16_t CurrentId = 0;
  VbArray<std::string> IdCatalogueList;
  std::array<VbArray<std::int16_t>, 4> IdFlags;  // Booleans, by catalogue number
  std::int16_t CurrentCodeSetC = 0;              // Boolean: the last marker chose code set C
  std::int16_t LastPieceLiteral = -1;            // Boolean: the formula is inside quotes
};

HistoryState& History();

// Back to the state of a process that has not started the wizard (for tests).
void ResetHistory();

// True when catalogue entry `rank` has the flag; error 9 for a rank outside the catalogue.
bool HasIdFlag(std::int16_t rank, IdFlag flag);

}  // namespace velmora
