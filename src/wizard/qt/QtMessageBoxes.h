#pragma once
// Message boxes as Qt dialogs, with the icon and buttons their style value asks for.
#include <memory>

#include "platform/MessageBox.h"

class QTranslator;

namespace velmora {

class QtMessageBoxes : public MessageBoxes {
 public:
  QtMessageBoxes();
  ~QtMessageBoxes() override;
  QtMessageBoxes(const QtMessageBoxes&) = delete;
  QtMessageBoxes& operator=(const QtMessageBoxes&) = delete;

  std::int16_t Show(const std::string& prompt, std::int16_t style, const std::string& title) override;

 private:
  void FollowTheUsersLanguage();

  MessageBoxes* previous_;
  bool translated_ = false;
  std::unique_ptr<QTranslator> translator_;  // Qt's French, while these boxes are shown
};

}  // namespace velmora
