#include "label/RunFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace velmora::label {

RunFile::RunFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {
  if (fd_ < 0) file_.emplace(path_);
}

bool RunFile::Append(const std::string& bytes) {
  if (file_) return file_->Append(bytes);
  for (std::size_t at = 0; error_ == 0 && at < bytes.size();) {
    const ssize_t n = ::write(fd_, bytes.data() + at, bytes.size() - at);
    if (n < 0 && errno != EINTR) error_ = errno;
    at += n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  return error_ == 0;
}

void RunFile::Finish(bool any) {
  if (!file_) {
    if (error_ != 0) throw std::runtime_error(path_ + ": cannot be written: " + std::strerror(error_));
    return;
  }
  if (!any) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path_, error)) std::filesystem::remove(path_, error);
    return;
  }
  if (!file_->Commit(Durability::HandOff)) {
    throw std::runtime_error(path_ + ": cannot be written: " + std::strerror(errno));
  }
}

}  // namespace velmora::label
