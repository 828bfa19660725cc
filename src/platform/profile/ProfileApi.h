#pragma once
// The Windows profile (settings-file) functions, with their arguments and results.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ini/IniDocument.h"

namespace velmora {

// What a string read leaves behind: the count the call returns and the text
// it copied into the caller's buffer. `Failure` is a run-time error number
// (0 when none) for a file that exists but cannot be read.
struct ProfileString {
  std::uint32_t Count = 0;
  std::string Buffer;
  std::int16_t Failure = 0;
};

// Section and key lose their surrounding spaces, the default its trailing ones;
// a buffer of `size` characters receives at most size-1 of them.
ProfileString GetPrivateProfileStringA(std::string_view section, std::string_view key, std::string_view defaultText,
                                       std::uint32_t size, const std::string& file);

// Many keys of one section of one file read in a row (a catalogue's hundreds):
// Get answers what GetPrivateProfileStringA(section, key, ...) answers in the
// same file epoch, the file and section found once, when the reader is made.
class ProfileSectionReader {
 public:
  ProfileSectionReader(std::string_view section, const std::string& file);
  ProfileString Get(std::string_view key, std::string_view defaultText, std::uint32_t size) const;

 private:
  std::shared_ptr<const IniDocument> document_;
  const IniSection* section_ = nullptr;
  std::int16_t failure_ = 0;
};

// An optional sign and the leading digits of the value, modulo 2^32; the default
// when the file, section or key is missing or the value is empty.
std::uint32_t GetPrivateProfileIntA(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                    const std::string& file);

// The same read from the Windows profile (see WindowsProfilePath).
ProfileString GetProfileStringA(std::string_view section, std::string_view key, std::string_view defaultText,
                                std::uint32_t size);

// Creates or changes one key (see SetIniValue) and replaces the file atomically.
bool WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                const std::string& file);

// Where a settings file is: a bare file name (no folder) means the Windows
// folder, the folder of the Windows profile, as the profile functions take it.
std::string ProfilePath(const std::string& file);

// VELMORA_WIN_INI, else $XDG_CONFIG_HOME/velmora/win.ini, else ~/.config/velmora/win.ini.
std::string WindowsProfilePath();

}  // namespace velmora
