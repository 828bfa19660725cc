#include "platform/UnnamedFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace velmora {

UnnamedFile::UnnamedFile() {
  const std::string folder = std::filesystem::temp_directory_path().string();
  fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd_ < 0) {  // a file system without O_TMPFILE: a named file, unlinked at once
    std::string pattern = folder + "/velmora-job-XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ >= 0) ::unlink(pattern.c_str());
  }
  if (fd_ < 0) throw std::runtime_error(folder + ": cannot make the job's scratch file (" + std::strerror(errno) + ")");
}

UnnamedFile::~UnnamedFile() {
  Unmap();
  ::close(fd_);
}

void UnnamedFile::Unmap() {
  if (map_ != nullptr) ::munmap(map_, size_);
  map_ = nullptr;
  size_ = 0;
}

std::string_view UnnamedFile::Contents() {
  Unmap();
  struct stat s {};
  if (::fstat(fd_, &s) != 0 || s.st_size == 0) return {};
  void* map = ::mmap(nullptr, static_cast<std::size_t>(s.st_size), PROT_READ, MAP_SHARED, fd_, 0);
  if (map == MAP_FAILED)
    throw std::runtime_error(std::string("cannot read the job's scratch file (") + std::strerror(errno) + ")");
  map_ = map;
  size_ = static_cast<std::size_t>(s.st_size);
  return {static_cast<const char*>(map_), size_};
}

}  // namespace velmora
