#include "label/RowOrderedFile.h"

#include <utility>

namespace velmora::label {

RowOrderedFile::RowOrderedFile(std::string path, int fd) : file_(std::move(path), fd) {}

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
  file_.Finish(written_);
}

}  // namespace velmora::label
