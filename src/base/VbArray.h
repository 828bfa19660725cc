#pragma once
// A growable array with a lower bound, which can also hold no storage at all
// (asking such an array for its bounds or an element is run-time error 9).
#include <cstdint>
#include <vector>

#include "base/RuntimeError.h"

namespace velmora {

template <class T>
class VbArray {
 public:
  VbArray() = default;
  VbArray(std::int32_t lower, std::vector<T> items) : lower_(lower), items_(std::move(items)) {}

  bool HasElements() const { return !items_.empty(); }
  std::int32_t LBound() const { return Checked(), lower_; }
  std::int32_t UBound() const { return Checked(), lower_ + static_cast<std::int32_t>(items_.size()) - 1; }

  // Resizes to lower..upper, keeping the elements that stay; upper below lower
  // releases the storage.
  void ReDimPreserve(std::int32_t lower, std::int32_t upper) {
    if (upper < lower) return Erase();
    lower_ = lower;
    items_.resize(static_cast<std::size_t>(upper - lower + 1));
  }
  void Erase() { items_.clear(); }

  T& operator()(std::int32_t index) { return items_[Offset(index)]; }
  const T& operator()(std::int32_t index) const { return items_[Offset(index)]; }

  const std::vector<T>& Items() const { return items_; }

 private:
  void Checked() const {
    if (items_.empty()) RaiseError(kErrSubscript);
  }
  std::size_t Offset(std::int32_t index) const {
    if (index < lower_ || index - lower_ >= static_cast<std::int64_t>(items_.size())) RaiseError(kErrSubscript);
    return static_cast<std::size_t>(index - lower_);
  }

  std::int32_t lower_ = 0;
  std::vector<T> items_;
};

}  // namespace velmora
