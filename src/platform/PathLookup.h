#pragma once
// File names as a Windows user sees them: found without regard to letter case.
#include <string>
#include <vector>

namespace velmora {

// The platform's path separator, used wherever a Windows path has a backslash.
inline constexpr char kPathSeparator = '/';

// `path` itself when it exists; otherwise `path` with each leading component
// that exists under another letter case spelled as on disk.
std::string ResolvePath(const std::string& path);

// Backslashes of a path read from a settings file or the registry, turned into
// the platform's separator.
std::string NativeSeparators(std::string path);

// Windows file-name wildcards ("*" any run, "?" one character), without regard
// to letter case.
bool MatchesFilePattern(const std::string& name, const std::string& pattern);

// The regular, not hidden files that the listing pattern `path` names (its last
// component may hold wildcards), as a directory listing for normal files yields them.
std::vector<std::string> ListFiles(const std::string& path);

}  // namespace velmora
