#pragma once
#include <string>

namespace velmora {

// The program's arguments without its name, joined by blanks; main() records
// them once, before anything reads them.
void SetCommandLine(int argc, const char* const* argv);
const std::string& CommandLine();

}  // namespace velmora
