#include "label/RowOrderedFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <utility>

namespace velmora::label {

RowOrderedFile::RowOrderedFile(std::string path) : path_(std::move(path)), file_(path_) {}

void RowOrderedFile::Add(int index, std::string part) {
  const std::lock_guard<std::mutex> hold(lock_);
  if (index != next_) {
    waiting_.emplace(index, std::move(part));
    return;
  }
  Write(part);
  ++next_;
  for (auto first = waiting_.begin(); first != waiting_.end() && first->first == next_; first = waiting_.erase(first)) {
    Write(first->second);
    ++next_;
  }
}

void RowOrderedFile::Write(const std::string& part) {
  if (part.empty()) return;
  file_.Append(part);  // a failure is kept and said by Finish
  written_ = true;
}

void RowOrderedFile::Finish() {
  const std::lock_guard<std::mutex> hold(lock_);
  if (!written_) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path_, error)) std::filesystem::remove(path_, error);
    return;
  }
  if (!file_.Commit(Durability::HandOff)) {
    throw std::runtime_error(path_ + ": cannot be written: " + std::strerror(errno));
  }
}

}  // namespace velmora::label
