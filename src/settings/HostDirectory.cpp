#include "settings/HostDirectory.h"

#include "base/MGeneral.h"
#include "base/VbText.h"
#include "platform/PathLookup.h"
#include "settings/CRegistry.h"

#ifndef VELMORA_HOST_CLSID
#define VELMORA_HOST_CLSID "{6F1C2B84-3D5E-4A7B-9C0D-8E2F4A6B1C3D}"
#endif

namespace velmora {
namespace {

std::string& Override() {
  static std::string directory;
  return directory;
}

}  // namespace

const std::string& HostClassId() {
  static const std::string id = VELMORA_HOST_CLSID;
  return id;
}

std::string GetDirectory(const std::string& path) {
  const std::int16_t last = LastPosition(path, std::string(1, kPathSeparator));
  return last > 0 ? Left(path, last - 1) : std::string();
}

std::string HostDirectoryFromRegistry() {
  const Variant program = CRegistry().Value(HKEY_CLASSES_ROOT, "CLSID\\" + HostClassId() + "\\LocalServer32", "");
  return GetDirectory(NativeSeparators(program.ToText())) + kPathSeparator;
}

}  // namespace velmora

namespace velmora {

void SetHostDirectoryOverride(const std::string& directory) { Override() = directory; }

std::string LookUpHostDirectory() {
  if (Override().empty()) return HostDirectoryFromRegistry();
  std::string dir = Override();
  if (!dir.ends_with(kPathSeparator)) dir += kPathSeparator;
  return dir;
}

}  // namespace velmora
