#pragma once
#include <string>

namespace velmora {

// The directory that holds the wizard's data files: VELMORA_DATA_DIR when set;
// else the running executable's directory when it holds "ID128.inf"; else the
// installed data directory. Never ends in a separator (callers add one).
std::string ProgramDirectory();

// The folder of the running executable; empty when it cannot be found.
std::string ExecutableDirectory();

// A data directory that replaces all of the above (the command line's choice);
// an empty text restores them.
void SetProgramDirectoryOverride(const std::string& directory);

}  // namespace velmora
