#include "settings/MFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/VbText.h"
#include "platform/CaseFold.h"
#include "platform/FileAccess.h"
#include "platform/PathLookup.h"
#include "platform/UserName.h"
#include "platform/profile/ProfileApi.h"

namespace velmora {
namespace {

constexpr std::uint32_t kValueBuffer = 256;
constexpr std::string_view kAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kSeparator(1, kPathSeparator);

std::string UsersDirectory(const std::string& hostDir) {
  std::string dir = NativeSeparators(
      ReadIniString(hostDir + "TAVREL.INI", "General", "User", hostDir + "System" + kSeparator + "Users"));
  if (!dir.ends_with(kPathSeparator)) dir += kSeparator;
  // Only this one relative form is resolved against the host's directory.
  if (dir.starts_with("." + kSeparator)) dir = hostDir + dir.substr(2);
  return dir;
}

// The network user name as the 256-character buffer delivers it; a name that
// does not fit (the call would fail) counts as no name.
std::string UserNameFromPlatform() {
  std::string name = NetworkUserName();
  name = name.substr(0, name.find('\0'));
  return Len(name) > 255 ? std::string() : name;
}

}  // namespace

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& defaultText) {
  try {
    const ProfileString read = (file.empty() || UpperCase(file) == "WIN.INI")
                                   ? GetProfileStringA(section, key, defaultText, kValueBuffer)
                                   : GetPrivateProfileStringA(section, key, defaultText, kValueBuffer, file);
    return read.Buffer;
  } catch (...) {
    return Left(defaultText, 255);
  }
}

std::int16_t ReadIniInt(const std::string& file, const std::string& section, const std::string& key,
                        std::int16_t defaultValue) {
  try {
    return static_cast<std::int16_t>(GetPrivateProfileIntA(section, key, defaultValue, file) & 0xFFFFU);
  } catch (...) {
    return defaultValue;
  }
}

bool FileExists(const std::string& path) {
  try {
    return !ListFiles(path).empty();
  } catch (...) {
    return false;
  }
}

void DeleteFile(const std::string& path) {
  if (path.empty()) return;
  // A read-only file stays, as on Windows (root could unlink it regardless).
  const std::string resolved = ResolvePath(path);
  struct stat st {};
  if (::stat(resolved.c_str(), &st) != 0 || (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)) return;
  ::unlink(resolved.c_str());
}

std::string ShortenUserName(const std::string& name) {
  if (name.empty()) return {};
  std::int16_t sum = 0;
  for (const char c : name) {
    const std::size_t value = kAlphabet.find(c);
    if (value != std::string_view::npos) sum = CheckedInt16(sum + static_cast<long long>(value));
  }
  return Left(name, 7) + kAlphabet[static_cast<std::size_t>(sum % 36)];
}

void LocateUserSettings() {
  GlobalValues& g = Globals();
  const std::string usersDir = UsersDirectory(g.HostDir);
  const std::string name = UpperCase(UserNameFromPlatform());
  if (!name.empty()) {
    const std::string stem = Len(name) <= 7 ? name : ShortenUserName(name);
    g.UserSettingsFile = usersDir + stem + ".ini";
    if (FileExists(g.UserSettingsFile)) return;
  }
  g.UserSettingsFile = usersDir + "User.ini";
}

}  // namespace velmora
