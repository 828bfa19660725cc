#pragma once
// Message boxes as Qt dialogs, with the icon and buttons their style value asks for.
#include "platform/MessageBox.h"

namespace velmora {

class QtMessageBoxes : public MessageBoxes {
 public:
  QtMessageBoxes();
  ~QtMessageBoxes() override;
  QtMessageBoxes(const QtMessageBoxes&) = delete;
  QtMessageBoxes& operator=(const QtMessageBoxes&) = delete;

  std::int16_t Show(const std::string& prompt, std::int16_t style, const std::string& title) override;

 private:
  MessageBoxes* previous_;
};

}  // namespace velmora
