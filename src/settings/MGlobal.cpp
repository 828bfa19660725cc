#include "settings/MGlobal.h"

#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/MGeneral.h"
#include "base/VbText.h"
#include "platform/PathLookup.h"
#include "platform/ProgramDirectory.h"
#include "platform/ini/IniLines.h"
#include "platform/profile/ProfileApi.h"
#include "settings/MFile.h"

namespace velmora {
namespace {

constexpr std::uint32_t kValueBuffer = 256;

// In debug mode a failure the read recorded is reported.
std::string Reported(ProfileString&& read, const std::string& source, const std::string& param) {
  if (Globals().DebugMode != False && read.Failure != 0) ReportError(read.Failure, source, False, Variant(param));
  return std::move(read.Buffer);
}

// Reads one value, reported as above.
std::string ReadReported(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultText, const std::string& source, const std::string& param) {
  ProfileString read;
  try {
    read = GetPrivateProfileStringA(section, key, defaultText, kValueBuffer, file);
  } catch (...) {
    read.Failure = kErrPathAccess;
  }
  return Reported(std::move(read), source, param);
}

// Trim, keeping the string when it has no spaces to lose (most values).
std::string TrimInPlace(std::string text) {
  const std::string_view kept = TrimSpaces(text);
  return kept.size() == text.size() ? std::move(text) : std::string(kept);
}

template <class Read>
std::optional<ProfileSectionReader> TryReader(Read read) {
  try {
    return read();
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace

std::string AppPath(const std::string& subPath) {
  std::string dir = ProgramDirectory();
  if (!dir.ends_with(kPathSeparator)) dir += kPathSeparator;
  return dir + subPath;
}

bool GoodFormat(const std::string& file, const std::string& typeName) {
  const std::string value = ReadReported(file, "Format", "TypeFile", "\xC2\xA7", "GLOBAL\\GoodFormat", file);
  return Like(value, typeName);
}

std::string GetCny(const std::string& key) {
  const GlobalValues& g = Globals();
  const std::string value =
      key == "title" ? ReadReported(g.HostDir + "TAVREL.INI", "General", "Velmora", "", "GLOBAL\\GetCny", key)
                     : ReadReported(g.PageTextFile, "Country", key, "", "GLOBAL\\GetCny", key);
  return Trim(value);
}

std::string ReadIdCatalogue(const std::string& section, const std::string& key) {
  try {
    return Trim(GetPrivateProfileStringA(section, key, "", kValueBuffer, Globals().DataDir + "ID128.inf").Buffer);
  } catch (...) {
    return {};
  }
}

CatalogueReader::CatalogueReader()
    : catalogue_(TryReader([] { return ProfileSectionReader("ID128", Globals().DataDir + "ID128.inf"); })),
      texts_(TryReader([] { return ProfileSectionReader("Country", Globals().PageTextFile); })) {}

std::string CatalogueReader::Catalogue(const std::string& key) const {
  try {
    return catalogue_ ? TrimInPlace(catalogue_->Get(key, "", kValueBuffer).Buffer) : std::string();
  } catch (...) {
    return {};
  }
}

std::string CatalogueReader::PageText(const std::string& key) const {
  ProfileString read;
  try {
    read = texts_ ? texts_->Get(key, "", kValueBuffer) : ProfileString{0, {}, kErrPathAccess};
  } catch (...) {
    read = ProfileString{0, {}, kErrPathAccess};
  }
  return TrimInPlace(Reported(std::move(read), "GLOBAL\\GetCny", key));
}

std::string FieldDescription(const IdRecord& record) {
  const GlobalValues& g = Globals();
  const std::string first =
      ReadIniString(g.PageTextFile, "Country", record.HasMax != 0 ? "FieldDef2" : "FieldDef3", "");
  const std::string second =
      ReadIniString(g.PageTextFile, "Country", record.IsNumeric != 0 ? "FieldDef0" : "FieldDef1", "");
  return first + "  " + std::to_string(record.CharLen) + g.NewLine + second;
}

}  // namespace velmora
