#include "base/MCountry.h"

#include <array>
#include <map>
#include <utility>

#include "platform/CaseFold.h"

namespace velmora {
namespace {

struct LanguageState {
  std::int16_t code = 0;
  std::string name;
};

LanguageState& State() {
  static LanguageState state;
  return state;
}

constexpr std::array<std::pair<const char*, std::int16_t>, 5> kLanguages = {{
    {"ANGLAIS", 1},
    {"ENGLISH", 1},
    {"US", 1},
    {"FRANCAIS", 2},
    {"FRENCH", 2},
}};

}  // namespace

std::int16_t LanguageCode() { return State().code; }
const std::string& LanguageName() { return State().name; }

void SetLanguage(const std::string& name) {
  LanguageState& state = State();
  state.name = name;
  const std::string upper = UpperCase(name);
  for (const auto& [known, code] : kLanguages) {
    if (upper == known) {
      state.code = code;
      return;
    }
  }
  state.code = 0;
  state.name.assign(1, '?');  // assign(1, c): GCC 12 warns falsely on assigning a literal here
}

std::string LocalErrorText(std::int16_t key) { return LanguageCode() == 1 ? ErrorTextFor(key) : std::string(); }

std::string ErrorTextFor(std::int16_t key) {
  static const std::map<std::int16_t, std::string> texts = {
      {106, "Overflow : result of calculation exceeds data storage limit"},
      {107, "Out of memory : close any unneeded running programm or restart Windows to reset it's memory management"},
      {109, "Index out of range : index exceeds array limits of array is not initialized"},
      {111, "Divide by zero : the error tried a calculation with faulty parameters"},
      {113, "Type mismatch : the data is not of an expected type"},
      {114, "Out of memory : program ran out of memory dedicated to local storage"},
      {116, "Out of memory : program ran out of memory dedicated to temporary calculation"},
      {128, "Out of memory : program ran out of memory dedicated to function calls ( stack )"},
      {148, "DLL loading : dll is not compatible or attached sub-dll are missing"},
      {149, "Bad call : called function expected different arguments ( dll could be mistaken )"},
      {151, "Internal error : an error occured within Visual Basic system"},
      {152,
       "Bad file handle : system may have ran out of file handle ( eventually check FILES parameters in "
       "CONFIG.SYS )"},
      {153, "File not found : the specified file is missing"},
      {154, "Bad file access mode : programm is trying to read output file or write in read-only file"},
      {155, "Bad file access mode : programm is trying to work on or delete an open file"},
      {157, "Device Input/Output error : an error occured within a device ( storage system or peripheral )"},
      {159, "Bad record size : the file accessed is not of the expected type"},
      {161, "Disk is full : programm tryed to store data in a full disk"},
      {162, "End of file : programm is trying to read past the end of the file, maybe file is corrupted"},
  };
  const auto found = texts.find(key);
  return found != texts.end() ? found->second : std::string();
}

}  // namespace velmora
