#pragma once
// The program-wide values that several modules share. Each has one place,
// here; the start-up sets them and the modules named with them read them.
#include <cstdint>
#include <string>

namespace velmora {

struct GlobalValues {
  std::string DataDir;           // the wizard's directory, ending in a separator
  std::string HostDir;           // the host's directory, ending in a separator
  std::string UserSettingsFile;  // the per-user settings file
  std::string PageTextFile;      // the page texts of the current country
  std::string TemplateFile;      // the label template written at the finish
  std::string NewLine = "\n\r";  // a line feed, then a carriage return: the order is deliberate
  std::string QuoteChar = "\"";
  std::int16_t DebugMode = 0;  // Boolean
  std::int16_t CountryNumber = 0;
};

GlobalValues& Globals();

// Back to the values of a process that has not started the wizard (for tests).
void ResetGlobals();

}  // namespace velmora
