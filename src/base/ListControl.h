#pragma once
// What the helpers need of a list or combo box: the members a forms-library
// list control has ("Clear", "AddItem", "NewIndex", "ItemData", "ListCount",
// "ListIndex").
#include <cstdint>
#include <string>

namespace velmora {

class ListControl {
 public:
  virtual ~ListControl() = default;
  virtual void Clear() = 0;
  virtual void AddItem(const std::string& text) = 0;
  // The index of the entry added last.
  virtual std::int16_t NewIndex() const = 0;
  virtual void SetItemData(std::int16_t index, std::int32_t data) = 0;
  virtual std::int16_t ListCount() const = 0;
  // Selects an entry (-1 selects none), raising the control's click as a user's pick would.
  virtual void SetListIndex(std::int16_t index) = 0;
};

}  // namespace velmora
