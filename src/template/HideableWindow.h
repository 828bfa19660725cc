#pragma once
// What the template writer needs of the wizard window: to hide it at the end.

namespace velmora {

class HideableWindow {
 public:
  virtual ~HideableWindow() = default;
  virtual void Hide() = 0;
};

}  // namespace velmora
