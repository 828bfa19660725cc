#include "platform/MessageBox.h"

#include <iostream>

namespace velmora {
namespace {

class StandardErrorBoxes : public MessageBoxes {
 public:
  std::int16_t Show(const std::string& prompt, std::int16_t style, const std::string& title) override {
    std::cerr << "message box [" << title << "] (" << style << "): " << prompt << std::endl;
    return DefaultAnswer(style);
  }
};

MessageBoxes*& Installed() {
  static MessageBoxes* boxes = nullptr;
  return boxes;
}

}  // namespace

std::int16_t DefaultAnswer(std::int16_t style) {
  const int buttons = style & 7;
  if (buttons == 3 || buttons == kStyleYesNo) return kAnswerYes;
  if (buttons == 2) return 3;  // Abort
  if (buttons == 5) return 4;  // Retry
  return kAnswerOk;
}

MessageBoxes* SetMessageBoxes(MessageBoxes* boxes) {
  MessageBoxes* previous = Installed();
  Installed() = boxes;
  return previous;
}

std::int16_t ShowMessageBox(const std::string& prompt, std::int16_t style, const std::string& title) {
  static StandardErrorBoxes fallback;
  MessageBoxes* boxes = Installed();
  return (boxes != nullptr ? boxes : &fallback)->Show(prompt, style, title);
}

RecordingMessageBoxes::RecordingMessageBoxes() : previous_(SetMessageBoxes(this)) {}

RecordingMessageBoxes::~RecordingMessageBoxes() { SetMessageBoxes(previous_); }

std::int16_t RecordingMessageBoxes::Show(const std::string& prompt, std::int16_t style, const std::string& title) {
  std::int16_t answer = DefaultAnswer(style);
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back({title, prompt, style, answer});
  if (OnShown) OnShown(shown_.back());
  return answer;
}

}  // namespace velmora
