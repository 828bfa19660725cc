#pragma once
// The window without a screen: an action script plays the user, message boxes
// are answered from the script and printed on standard error, one line each.
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "wizard/AiSearch.h"
#include "wizard/StateDump.h"
#include "wizard/WindowView.h"

namespace velmora {

// A script line that cannot run: what a user could not do, or a line that
// means nothing. Nothing after it runs.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& reason);
  int Line() const { return line_; }

 private:
  int line_;
};

class HeadlessView : public WindowView {
 public:
  // `script` is the whole action script; `out` receives the dumps of `values`
  // beside the window, `err` the boxes.
  HeadlessView(const std::string& script, const WizardValues& values, std::ostream& out, std::ostream& err);
  HeadlessView(const HeadlessView&) = delete;
  HeadlessView& operator=(const HeadlessView&) = delete;

  void RunModal(FMain& window) override;
  void KeepOnTop(FMain&) override {}
  std::int32_t ScreenWidthTwips() const override { return 1920 * 15; }
  std::int32_t ScreenHeightTwips() const override { return 1080 * 15; }
  void ControlsChanged(FMain&) override {}
  void RunRemaining(FMain& window) override;

  const std::vector<ShownMessage>& Messages() const { return boxes_.Shown(); }

 private:
  struct Line {
    int number;
    std::string verb;
    std::string argument;
  };
  void Run(FMain& window, const Line& line);

  std::deque<Line> lines_;
  RecordingMessageBoxes boxes_;  // answers from the script's "answer" lines, OK by default
  AiSearch search_;              // page 0's search box
  WizardValues values_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace velmora
