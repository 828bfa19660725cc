#pragma once
// Access to the wizard's data files: the page texts and the AI catalogue.
#include <string>

#include "base/IdRecord.h"

namespace velmora {

// The wizard's directory, a separator, and `subPath`.
std::string AppPath(const std::string& subPath);

// True when "TypeFile" of section "Format" of `file` matches `typeName`.
bool GoodFormat(const std::string& file, const std::string& typeName);

// One page text; "title" (exactly) is the window title kept in "TAVREL.INI".
std::string GetCny(const std::string& key);

// One value of "ID128.inf".
std::string ReadIdCatalogue(const std::string& section, const std::string& key);

// The two lines a page shows about an AI's data: its length rule with the
// number of characters, then whether it is numeric.
std::string FieldDescription(const IdRecord& record);

}  // namespace velmora
