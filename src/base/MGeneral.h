#pragma once
// Small helpers shared by the window, the data-file access and the template writer.
#include <cstdint>
#include <string>

#include "base/ListControl.h"
#include "base/Variant.h"
#include "base/VbArray.h"

namespace velmora {

// Shows the error's explanation (or its standard message), followed by the
// parameter when there is one, in a critical-stop box titled `source`; ends the
// program when `endProgram` is True. Error 0 shows nothing.
void ReportError(std::int16_t errNumber, const std::string& source, std::int16_t endProgram, const Variant& params);

// The box of a missing or malformed data file, titled "EAN 128".
void ShowFileError(const std::string& message, const std::string& path);

// Fills `list` with the texts of `items`, each entry's item data being the
// text's index in the array. An array without elements leaves the list alone.
void FillListFromArray(const VbArray<std::string>& items, ListControl& list);

// Occurrences of `part` in `text`, overlapping ones included.
std::int32_t CountOccurrences(const std::string& text, const std::string& part);

// Position (from 1, in characters) of the last occurrence of `part`; 0 when none.
std::int16_t LastPosition(const std::string& text, const std::string& part);

Variant MaxValue(std::int32_t a, std::int32_t b);
Variant MinValue(std::int32_t a, std::int32_t b);

}  // namespace velmora
