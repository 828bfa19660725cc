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

// The host directory the start-up uses: the one given on the command line
// (SetHostDirectoryOverride), else the registry's.
std::string LookUpHostDirectory();

// A host directory that replaces the registry lookup, for people who have no
// registry file; an empty text restores the lookup.
void SetHostDirectoryOverride(const std::string& directory);

}  // namespace velmora
