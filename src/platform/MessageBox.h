#pragma once
// Message boxes: one interface, with the view's implementation installed at
// start and a recording one for tests.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// Style values and answers, as the Windows message box numbers them.
inline constexpr std::int16_t kStyleOkOnly = 0;
inline constexpr std::int16_t kStyleOkCancel = 1;
inline constexpr std::int16_t kStyleYesNo = 4;
inline constexpr std::int16_t kStyleCritical = 16;
inline constexpr std::int16_t kStyleQuestion = 32;
inline constexpr std::int16_t kStyleExclamation = 48;
inline constexpr std::int16_t kAnswerOk = 1;
inline constexpr std::int16_t kAnswerCancel = 2;
inline constexpr std::int16_t kAnswerYes = 6;
inline constexpr std::int16_t kAnswerNo = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows one box and returns the answer.
  virtual std::int16_t Show(const std::string& prompt, std::int16_t style, const std::string& title) = 0;
};

// Installs `boxes` (not owned; null restores the default, which prints the box
// on standard error and answers OK) and returns the one it replaces.
MessageBoxes* SetMessageBoxes(MessageBoxes* boxes);

std::int16_t ShowMessageBox(const std::string& prompt, std::int16_t style, const std::string& title);

struct ShownMessage {
  std::string Title;
  std::string Prompt;
  std::int16_t Style = 0;
  std::int16_t Answer = 0;
};

// Records every box and answers from a queue (OK, or Yes for a Yes/No box,
// when the queue is empty). Installs itself for its lifetime.
class RecordingMessageBoxes : public MessageBoxes {
 public:
  RecordingMessageBoxes();
  ~RecordingMessageBoxes() override;
  RecordingMessageBoxes(const RecordingMessageBoxes&) = delete;
  RecordingMessageBoxes& operator=(const RecordingMessageBoxes&) = delete;

  std::int16_t Show(const std::string& prompt, std::int16_t style, const std::string& title) override;
  void QueueAnswer(std::int16_t answer) { answers_.push_back(answer); }
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  // Called with every box once it is answered.
  std::function<void(const ShownMessage&)> OnShown;

 private:
  MessageBoxes* previous_;
  std::deque<std::int16_t> answers_;
  std::vector<ShownMessage> shown_;
};

// The answer a box gives when nobody chooses: its first button.
std::int16_t DefaultAnswer(std::int16_t style);

}  // namespace velmora
