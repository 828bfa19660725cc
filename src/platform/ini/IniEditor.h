#pragma once
// Sets one key of a settings file held in memory, the way Windows'
// WritePrivateProfileStringA changes the file: everything else stays byte for byte.
#include <string>
#include <string_view>

namespace velmora {

// Replaces the first matching key of the first matching section in place (keeping
// the key's spelling in the file), or adds the key after the last key of its
// section, or appends a new section at the end. Written lines end in CRLF; the key
// and value are written exactly as given. Returns false, changing nothing, when the
// section, key or value holds a line break, which would add lines to the file.
bool SetIniValue(std::string& text, std::string_view section, std::string_view key, std::string_view value);

}  // namespace velmora
