#include "platform/profile/ProfileCache.h"

#include <sys/stat.h>

#include <chrono>
#include <unordered_map>

#include "platform/FileAccess.h"
#include "platform/PathLookup.h"
#include "platform/Utf8Text.h"
#include "platform/profile/FrozenProfiles.h"

namespace velmora {
namespace {

// Error 75, "Path/File access error": the file is there but cannot be read.
constexpr std::int16_t kAccessError = 75;

struct Stamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modified = 0;
  std::int64_t changed = 0;
  bool operator==(const Stamp&) const = default;
};

struct Entry {
  Stamp stamp;
  std::shared_ptr<const IniDocument> document;
};

// What a path, as asked for, was found to be in the current epoch: the file it
// resolves to and the result; looked at again in the next epoch only.
struct Seen {
  std::uint64_t epoch = 0;
  CachedProfile result;
};

struct Cache {
  std::unordered_map<std::string, Entry> entries;  // by resolved path
  std::unordered_map<std::string, Seen> seen;      // by the path as asked
  std::uint64_t parses = 0;
  std::uint64_t epoch = 1;
  std::chrono::steady_clock::time_point epochStart = std::chrono::steady_clock::now();
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

std::int64_t Nanoseconds(const timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; }

CachedProfile LoadFromDisk(const std::string& path) {
  // The name as given first: one look for a file that is there as named.
  std::string resolved = path;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    resolved = ResolvePath(path);
    if (resolved == path || ::stat(resolved.c_str(), &st) != 0) return {};
  }
  if (!S_ISREG(st.st_mode)) return {nullptr, kAccessError};
  const Stamp stamp{st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};

  Cache& cache = TheCache();
  const auto found = cache.entries.find(resolved);
  if (found != cache.entries.end() && found->second.stamp == stamp) return {found->second.document, 0};

  std::shared_ptr<const IniDocument> document;
  if (const FrozenProfile* shipped = ShippedProfileAt(resolved, static_cast<std::uint64_t>(st.st_size))) {
    document = std::make_shared<const IniDocument>(IniDocument::Over(shipped->index));
  } else {
    std::string bytes;
    const ReadStatus status = ReadWholeFile(resolved, bytes);
    if (status == ReadStatus::Missing) return {};
    if (status == ReadStatus::Unreadable) return {nullptr, kAccessError};
    document = std::make_shared<const IniDocument>(IniDocument::Parse(DecodeFileText(std::move(bytes))));
    ++cache.parses;
  }
  cache.entries[resolved] = Entry{stamp, document};
  return {document, 0};
}

}  // namespace

CachedProfile LoadProfile(const std::string& path) {
  Cache& cache = TheCache();
  Seen& seen = cache.seen[path];
  if (seen.epoch != cache.epoch) {
    seen.result = LoadFromDisk(path);
    seen.epoch = cache.epoch;
  }
  return seen.result;
}

void NextFileEpoch() {
  Cache& cache = TheCache();
  ++cache.epoch;
  cache.epochStart = std::chrono::steady_clock::now();
}

void NoteUserAction() {
  // A person's actions are far apart, each sees the files afresh; a script's
  // come in a burst, which shares one look at them.
  constexpr auto kBurst = std::chrono::milliseconds(100);
  if (std::chrono::steady_clock::now() - TheCache().epochStart >= kBurst) NextFileEpoch();
}

void ForgetProfile(const std::string& path) {
  Cache& cache = TheCache();
  cache.entries.erase(ResolvePath(path));
  // Any name that led to it is looked at again: the file may have come into being.
  cache.seen.clear();
}

std::uint64_t ProfileParses() { return TheCache().parses; }

}  // namespace velmora
