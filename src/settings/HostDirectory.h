#pragma once
// Where the host program lives, from its automation server registration.
#include <string>

namespace velmora {

// The host's automation class identifier, in braces; set at build time.
const std::string& HostClassId();

// Everything before the last separator of `path`, or the empty text.
std::string GetDirectory(const std::string& path);

// The directory of the host program named by the default value of
// HKEY_CLASSES_ROOT\CLSID\{host}\LocalServer32, ending in a separator (a lone
// separator when the registration is missing).
std::string HostDirectoryFromRegistry();

}  // namespace velmora
