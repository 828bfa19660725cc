#include "platform/profile/ProfileApi.h"

#include <filesystem>
#include <optional>

#include "platform/ConfigFile.h"
#include "platform/FileAccess.h"
#include "platform/Utf8Text.h"
#include "platform/ini/IniEditor.h"
#include "platform/ini/IniLines.h"
#include "platform/profile/ProfileCache.h"

namespace velmora {
namespace {

std::string_view TrimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

ProfileString CopyToBuffer(std::string_view text, std::uint32_t size, std::int16_t failure) {
  ProfileString result;
  result.Failure = failure;
  if (size == 0) return result;
  const std::size_t count = CodePointCount(text);
  result.Buffer = count < size ? std::string(text) : LeftChars(text, size - 1);  // most values fit whole
  result.Count = static_cast<std::uint32_t>(count < size ? count : CodePointCount(result.Buffer));
  return result;
}

// The stored value, or nullptr when the file, section or key is missing.
std::optional<std::string_view> Lookup(const CachedProfile& profile, std::string_view section, std::string_view key) {
  if (!profile.Document) return std::nullopt;
  return profile.Document->Find(TrimSpaces(section), TrimSpaces(key));
}

// A file named with its folder is read where it is; a bare name is in the Windows folder.
bool NamesItsFolder(const std::string& file) { return file.empty() || file.find_first_of("/\\") != std::string::npos; }

// The file a read goes to: `file` itself when it names its folder (the common
// case, not copied), else `file` in the Windows folder, kept in `named`.
const std::string& FileToRead(const std::string& file, std::string& named) {
  return NamesItsFolder(file) ? file : (named = ProfilePath(file));
}

}  // namespace

ProfileString GetPrivateProfileStringA(std::string_view section, std::string_view key, std::string_view defaultText,
                                       std::uint32_t size, const std::string& file) {
  std::string named;
  const CachedProfile profile = LoadProfile(FileToRead(file, named));
  const std::optional<std::string_view> value = Lookup(profile, section, key);
  return CopyToBuffer(value ? *value : TrimTrailingSpaces(defaultText), size, profile.Failure);
}

ProfileSectionReader::ProfileSectionReader(std::string_view section, const std::string& file) {
  std::string named;
  CachedProfile profile = LoadProfile(FileToRead(file, named));
  document_ = std::move(profile.Document);
  failure_ = profile.Failure;
  if (document_) section_ = document_->FindSection(TrimSpaces(section));
}

ProfileString ProfileSectionReader::Get(std::string_view key, std::string_view defaultText, std::uint32_t size) const {
  const std::optional<std::string_view> value =
      section_ == nullptr ? std::nullopt : document_->Find(*section_, TrimSpaces(key));
  return CopyToBuffer(value ? *value : TrimTrailingSpaces(defaultText), size, failure_);
}

std::uint32_t GetPrivateProfileIntA(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                    const std::string& file) {
  std::string named;
  const std::optional<std::string_view> value = Lookup(LoadProfile(FileToRead(file, named)), section, key);
  if (!value || value->empty()) return static_cast<std::uint32_t>(defaultValue);
  std::string_view text = *value;
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::uint32_t number = 0;  // unsigned arithmetic wraps modulo 2^32, as Windows' does
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    number = number * 10U + static_cast<std::uint32_t>(c - '0');
  }
  return negative ? 0U - number : number;
}

ProfileString GetProfileStringA(std::string_view section, std::string_view key, std::string_view defaultText,
                                std::uint32_t size) {
  return GetPrivateProfileStringA(section, key, defaultText, size, WindowsProfilePath());
}

bool WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                const std::string& file) {
  const std::string path = ProfilePath(file);
  std::string bytes;
  if (ReadWholeFile(path, bytes) == ReadStatus::Unreadable) return false;
  // A UTF-16LE file stays UTF-16LE; one in the Western code page becomes UTF-8,
  // so the new text does not mix encodings.
  const bool utf16 = std::string_view(bytes).starts_with(kUtf16LeMark);
  std::string text = utf16 ? DecodeFileText(bytes) : IsValidUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
  if (!SetIniValue(text, section, key, value)) return false;
  if (utf16) text = std::string(kUtf16LeMark) + Utf8ToUtf16Le(text);
  if (!WriteFileAtomically(path, text)) return false;
  ForgetProfile(path);
  return true;
}

std::string ProfilePath(const std::string& file) {
  if (NamesItsFolder(file)) return file;
  return (std::filesystem::path(WindowsProfilePath()).parent_path() / file).string();
}

std::string WindowsProfilePath() { return ConfigFilePath("VELMORA_WIN_INI", "win.ini"); }

}  // namespace velmora
