#pragma once
// Whole-file reads and atomic whole-file writes.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

enum class ReadStatus : std::uint8_t { Ok, Missing, Unreadable };

// Reads the file at `path` (found without regard to letter case) into `bytes`.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes);

// True when the file at `path` (as named) holds exactly `bytes`: compared as it
// is read, a block at a time, with no copy of the whole file kept.
bool FileHoldsExactly(const std::string& path, std::string_view bytes);

// True for an existing regular file with no write bit: the Windows read-only
// attribute, which permissions alone would not give (root writes anyway).
bool IsReadOnlyFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, then renames it over `path`,
// so a reader sees the old file or the new one, never half of one. Fails, leaving
// everything as it was, when the directory is missing or unwritable, when `path`
// is a directory, or when an existing file is read-only (no write bit set: the
// check does not rely on permissions, which root would bypass).
//
// Keep also syncs the file to the disk before the rename, for files kept across a
// power cut; HandOff leaves that to the system, for files another program reads
// at once (a label, a template handed to the host).
enum class Durability : std::uint8_t { Keep, HandOff };
bool WriteFileAtomically(const std::string& path, const std::string& bytes, Durability durability = Durability::Keep);

// The same for a path taken exactly as it is written, without the lookup that
// ignores letter case: for files of the program's own naming (a run of labels),
// where listing the folder for every file would cost more than the write.
// On failure errno says why.
bool ReplaceFile(const std::string& exactPath, const std::string& bytes, Durability durability);

// The same for a file written piece by piece (a run of labels as they are
// drawn): the pieces go to a temporary beside the path, renamed over it by
// Commit(); dropped uncommitted, the temporary goes and the path keeps what it
// had. Each call returns false with errno set when it fails; once one has
// failed, the rest do too.
class FileReplacement {
 public:
  explicit FileReplacement(std::string exactPath);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  bool Append(const std::string& bytes);
  bool Commit(Durability durability);

 private:
  std::string target_;
  std::string temp_;
  unsigned mode_ = 0;
  int fd_ = -1;
  int error_ = 0;
};

// A write in progress holds its bytes in `target` + this mark + six characters.
inline constexpr const char* kTemporaryMark = ".velmora-";

// Removes the temporaries that writes of `target` left when their process was
// killed: those named as above, older than this process. Nothing else is touched.
void RemoveStaleTemporaries(const std::string& target);

// The same for every file of `folder` (a folder of labels, whose names vary),
// in the same walk removing the files whose name `alsoRemove` accepts; returns
// how many of those went.
int RemoveStaleTemporariesIn(const std::string& folder, const std::function<bool(const std::string&)>& alsoRemove);

// A moment on the clock the file system stamps files with (coarse real time),
// and whether `path` is a file made or replaced since then: what a run wrote,
// told apart from a file an earlier run left.
struct FileClock {
  long long seconds = 0;
  long nanoseconds = 0;
};
FileClock FileSystemNow();
bool WrittenSince(const std::string& path, FileClock start);

// Why no file could be written at `path`, as a user would check it: its folder
// missing or not writable, a read-only file or a folder in its place.
std::string WhyNotWritten(const std::string& path);

}  // namespace velmora
