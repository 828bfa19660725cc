#pragma once
// The catalogue of AIs the user can choose from: "ID128.inf" for the numbers,
// lengths and flags, the page text file for the names.
#include <cstdint>

#include "base/IdRecord.h"

namespace velmora {

// Builds IdCatalogueList and the four IdFlags arrays. The catalogue ends at the
// first entry whose name is shorter than 2 characters.
void LoadIdCatalogue();

// The initial values of a record that holds no AI yet.
void InitIdRecord(IdRecord& record);

// What picking catalogue entry `rank` stores in a record: name, AI digits,
// length, kind and length rule. Other fields keep what the user entered.
void FillRecordFromCatalogue(IdRecord& record, std::int16_t rank);

}  // namespace velmora
