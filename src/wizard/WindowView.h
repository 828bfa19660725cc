#pragma once
// What the window model needs of the view that shows it: a message loop for the
// modal show, and the few platform services a real window has.
#include <cstdint>

namespace velmora {

class FMain;

class WindowView {
 public:
  virtual ~WindowView() = default;
  // Runs the window's message loop; returns once the window is hidden or unloaded.
  virtual void RunModal(FMain& window) = 0;
  // Puts the window above all others; may raise a run-time error.
  virtual void KeepOnTop(FMain& window) = 0;
  virtual std::int32_t ScreenWidthTwips() const = 0;
  virtual std::int32_t ScreenHeightTwips() const = 0;
  // Tells the view that the set of controls changed (option buttons loaded or
  // unloaded, the window loaded or unloaded).
  virtual void ControlsChanged(FMain& window) = 0;
  // After the run: what the view still has to do with the hidden window (the
  // rest of an action script).
  virtual void RunRemaining(FMain&) {}
};

}  // namespace velmora
