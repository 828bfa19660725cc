#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "platform/PathLookup.h"

namespace velmora {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The folder that holds `path`.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder's entries (a rename, a new name) durable.
void SyncFolderOf(const std::string& path) {
  const std::string folder = FolderOf(path);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The umask, read without changing it (umask() would, for every thread at once).
mode_t CurrentUmask() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  unsigned mask = 022;
  if (status != nullptr) {
    char line[128];
    while (std::fgets(line, sizeof line, status) != nullptr) {
      if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
    }
    std::fclose(status);
  }
  return static_cast<mode_t>(mask);
}

// A file made anew is 0644 less the umask, as open() would make it.
mode_t NewFileMode() {
  static const mode_t mode = 0644 & ~CurrentUmask();
  return mode;
}

// A new file, written whole before it gets its name: an unnamed file in the
// target's folder, linked in once complete. One entry made in the folder, where
// a temporary name and a rename make two changes and a removal. False when the
// system or the file system cannot do it, or the name was taken meanwhile.
bool CreateWhole(const std::string& target, const std::string& bytes, Durability durability) {
  const int fd = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  const bool done = WriteAll(fd, bytes) && ::fchmod(fd, NewFileMode()) == 0 &&
                    (durability == Durability::HandOff || ::fsync(fd) == 0) &&
                    ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0;
  ::close(fd);
  if (done && durability == Durability::Keep) SyncFolderOf(target);
  return done;
}

// When this process started: a temporary older than that belongs to no write of ours.
const std::filesystem::file_time_type kProcessStart = std::filesystem::file_time_type::clock::now();

}  // namespace

namespace {

// Removes the temporaries of `folder` whose name, less the mark and the six
// characters mkstemp adds, `ofTarget` accepts, and the files `alsoRemove`
// accepts; returns how many of those went.
template <class Accept>
int RemoveStale(const std::filesystem::path& folder, Accept ofTarget,
                const std::function<bool(const std::string&)>& alsoRemove = {}) {
  namespace fs = std::filesystem;
  const std::string mark = kTemporaryMark;
  int removed = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? "." : folder, error)) {
    const std::string name = entry.path().filename().string();
    if (alsoRemove && alsoRemove(name)) {
      removed += entry.is_regular_file(error) && fs::remove(entry.path(), error) ? 1 : 0;
      continue;
    }
    const std::size_t at = name.size() >= mark.size() + 6 ? name.size() - mark.size() - 6 : std::string::npos;
    if (at == std::string::npos || name.compare(at, mark.size(), mark) != 0 || !ofTarget(name.substr(0, at))) continue;
    if (entry.is_regular_file(error) && entry.last_write_time(error) < kProcessStart && !error)
      fs::remove(entry.path(), error);
  }
  return removed;
}

}  // namespace

void RemoveStaleTemporaries(const std::string& target) {
  const std::filesystem::path path(target);
  const std::string name = path.filename().string();
  RemoveStale(path.parent_path(), [&](const std::string& of) { return of == name; });
}

int RemoveStaleTemporariesIn(const std::string& folder, const std::function<bool(const std::string&)>& alsoRemove) {
  return RemoveStale(
      folder, [](const std::string&) { return true; }, alsoRemove);
}

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
  const std::string resolved = ResolvePath(path);
  struct stat st {};
  if (::stat(resolved.c_str(), &st) != 0) return ReadStatus::Missing;
  if (!S_ISREG(st.st_mode)) return ReadStatus::Unreadable;
  const int fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ReadStatus::Unreadable;
  // Straight into the string, at the size the file had; one that grows meanwhile
  // is read to its end all the same.
  bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      bytes.clear();
      return ReadStatus::Unreadable;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(used);
  return ReadStatus::Ok;
}

bool FileHoldsExactly(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char block[16384];
  std::size_t matched = 0;
  bool same = true;
  for (;;) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      same = n == 0 && matched == bytes.size();
      break;
    }
    const auto got = static_cast<std::size_t>(n);
    if (got > bytes.size() - matched || std::memcmp(block, bytes.data() + matched, got) != 0) {
      same = false;
      break;
    }
    matched += got;
  }
  ::close(fd);
  return same;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  return ::stat(ResolvePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, Durability durability) {
  return ReplaceFile(ResolvePath(path), bytes, durability);
}

bool ReplaceFile(const std::string& target, const std::string& bytes, Durability durability) {
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0 && errno == ENOENT && CreateWhole(target, bytes, durability)) return true;
  FileReplacement file(target);
  return file.Append(bytes) && file.Commit(durability);
}

FileReplacement::FileReplacement(std::string exactPath) : target_(std::move(exactPath)) {
  struct stat st {};
  mode_ = NewFileMode();
  // A link is replaced by the file, which takes nothing of the link's target;
  // a file keeps its permissions, never a set-id bit.
  if (::lstat(target_.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    if (!S_ISREG(st.st_mode)) error_ = EISDIR;
    if (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0) error_ = EACCES;  // read-only, as IsReadOnlyFile
    mode_ = st.st_mode & 0777;
  }
  if (error_ != 0) return;
  temp_ = target_ + kTemporaryMark + "XXXXXX";
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) error_ = errno;
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temp_.c_str());
  }
}

bool FileReplacement::Append(const std::string& bytes) {
  if (error_ == 0 && !WriteAll(fd_, bytes)) error_ = errno != 0 ? errno : EIO;
  errno = error_;
  return error_ == 0;
}

bool FileReplacement::Commit(Durability durability) {
  if (error_ == 0 && (::fchmod(fd_, mode_) != 0 || (durability == Durability::Keep && ::fsync(fd_) != 0)))
    error_ = errno;
  if (fd_ >= 0 && ::close(fd_) != 0 && error_ == 0) error_ = errno;
  fd_ = -1;
  if (error_ == 0 && std::rename(temp_.c_str(), target_.c_str()) != 0) error_ = errno;
  if (error_ != 0) {
    ::unlink(temp_.c_str());
    errno = error_;
    return false;
  }
  if (durability == Durability::Keep) SyncFolderOf(target_);
  return true;
}

FileClock FileSystemNow() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return {static_cast<long long>(now.tv_sec), now.tv_nsec};
}

bool WrittenSince(const std::string& path, FileClock start) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  // The status change time: a rename into place or a write sets it, nobody can set it back.
  const long long seconds = static_cast<long long>(st.st_ctim.tv_sec);
  return seconds > start.seconds || (seconds == start.seconds && st.st_ctim.tv_nsec >= start.nanoseconds);
}

std::string WhyNotWritten(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(path).parent_path();
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    if (error == std::errc::permission_denied)
      return "the folder " + folder.string() + " cannot be reached (permission denied)";
    // A file where a folder of the path should be says more than "does not exist".
    for (fs::path up = folder; !up.empty() && up != up.parent_path(); up = up.parent_path()) {
      if (fs::exists(up, error))
        return fs::is_directory(up, error) ? "the folder " + folder.string() + " does not exist"
                                           : up.string() + " is not a folder";
    }
    return "the folder " + folder.string() + " does not exist";
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return "the folder " + folder.string() + " cannot be written";
  if (fs::is_directory(path, error)) return path + " is a folder";
  if (IsReadOnlyFile(path)) return "the file is read-only";
  return "the file could not be written";
}

}  // namespace velmora
