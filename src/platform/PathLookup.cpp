#include "platform/PathLookup.h"

#include <filesystem>
#include <system_error>

#include "platform/CaseFold.h"
#include "platform/Utf8Text.h"

namespace velmora {
namespace fs = std::filesystem;
namespace {

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec)) && !ec;
}

// The entry of `dir` named `name` without regard to case, or empty.
std::string FindEntry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (EqualsIgnoreCase(entry, name)) return entry;
  }
  return {};
}

bool MatchFrom(const std::u32string& name, std::size_t n, const std::u32string& pat, std::size_t p) {
  while (p < pat.size()) {
    if (pat[p] == U'*') {
      for (std::size_t k = n; k <= name.size(); ++k) {
        if (MatchFrom(name, k, pat, p + 1)) return true;
      }
      return false;
    }
    if (n >= name.size() || (pat[p] != U'?' && pat[p] != name[n])) return false;
    ++n;
    ++p;
  }
  return n == name.size();
}

}  // namespace

std::string ResolvePath(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  const fs::path original(path);
  // A file not there yet in a folder that is: the folder's listing alone says.
  if (const fs::path parent = original.parent_path();
      original.has_filename() && !parent.empty() && parent != original.root_path() && Exists(parent)) {
    const std::string entry = FindEntry(parent, original.filename().string());
    return entry.empty() ? path : (parent / entry).string();
  }
  fs::path resolved = original.root_path();
  bool found = true;  // once a component is missing, the rest is kept as written
  for (const fs::path& part : original.relative_path()) {
    const fs::path exact = resolved / part;
    if (found && !Exists(exact)) {
      const std::string entry = FindEntry(resolved.empty() ? fs::path(".") : resolved, part.string());
      found = !entry.empty();
      resolved /= found ? fs::path(entry) : part;
    } else {
      resolved = exact;
    }
  }
  std::string result = resolved.string();
  if (path.back() == kPathSeparator && result.back() != kPathSeparator) result += kPathSeparator;
  return result;
}

std::string NativeSeparators(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = kPathSeparator;
  }
  return path;
}

bool MatchesFilePattern(const std::string& name, const std::string& pattern) {
  return MatchFrom(ToCodePoints(UpperCase(name)), 0, ToCodePoints(UpperCase(pattern)), 0);
}

std::vector<std::string> ListFiles(const std::string& path) {
  std::vector<std::string> found;
  if (path.empty()) return found;
  const fs::path p(path);
  const std::string pattern = p.filename().string();
  if (pattern.empty()) return found;
  if (pattern.find_first_of("*?") == std::string::npos) {  // one name: looked at, not looked for
    const fs::path resolved(ResolvePath(path));
    std::error_code typeEc;
    const std::string name = resolved.filename().string();
    if (!name.starts_with('.') && fs::is_regular_file(resolved, typeEc) && !typeEc) found.push_back(name);
    return found;
  }
  const std::string dir = p.has_parent_path() ? ResolvePath(p.parent_path().string()) : ".";
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeEc;
    if (name.starts_with('.') || !it->is_regular_file(typeEc) || typeEc) continue;
    if (MatchesFilePattern(name, pattern)) found.push_back(name);
  }
  return found;
}

}  // namespace velmora
