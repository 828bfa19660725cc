#pragma once
// The table of chosen AIs, in barcode order, and the predicates over it.
#include <cstdint>

#include "base/IdRecord.h"
#include "base/ListControl.h"

namespace velmora {

std::int16_t IdCount();
// Records that carry an AI (RankInFile not -2).
std::int16_t ChosenIdCount();
// Appends one fresh record.
void AddIdRecord();
// Removes record `index`; a table of fewer than two records is emptied whatever the index.
void RemoveIdRecord(std::int16_t index);
// Keeps only the records that carry an AI, in order.
void CompactIdTable();
// Lists the chosen AIs as "[name]" and brings CurrentId into the list's range.
void FillChosenIdList(ListControl& list);

std::int16_t IsIdComplete(const IdRecord& record);
std::int16_t AnyIdComplete();
// True when the barcode will hold a computed check digit.
std::int16_t AnyCheckDigit();
// True when some data comes from a host variable or has a variable length.
std::int16_t AnyVariablePart();

}  // namespace velmora
