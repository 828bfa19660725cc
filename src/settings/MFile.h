#pragma once
// Settings files, file existence and deletion, and the per-user settings file.
#include <cstdint>
#include <string>

namespace velmora {

// One value (at most 255 characters) of a settings file; the bare name
// "WIN.INI" in any case, or an empty name, reads the Windows profile.
std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& defaultText);

std::int16_t ReadIniInt(const std::string& file, const std::string& section, const std::string& key,
                        std::int16_t defaultValue);

// True when the listing pattern `path` names at least one normal file.
bool FileExists(const std::string& path);

// Deletes the file; any failure (missing, read-only, a directory) is ignored.
void DeleteFile(const std::string& path);

// A user name of 8 or more characters as 7 of its characters and a check character.
std::string ShortenUserName(const std::string& name);

// Sets Globals().UserSettingsFile from "TAVREL.INI" and the network user name.
void LocateUserSettings();

}  // namespace velmora
