#pragma once
// Twips to pixels: 1440 twips an inch, so 15 twips a pixel at 96 dpi, scaled
// with the screen's logical dpi.
#include <QRect>

#include "wizard/Controls.h"

namespace velmora {

class TwipScale {
 public:
  explicit TwipScale(double logicalDpi) : pixelsPerTwip_(logicalDpi / 1440.0) {}
  int Pixels(std::int32_t twips) const { return static_cast<int>(twips * pixelsPerTwip_ + 0.5); }
  QRect Rect(const Place& p) const { return {Pixels(p.Left), Pixels(p.Top), Pixels(p.Width), Pixels(p.Height)}; }
  std::int32_t Twips(int pixels) const { return static_cast<std::int32_t>(pixels / pixelsPerTwip_ + 0.5); }

 private:
  double pixelsPerTwip_;
};

}  // namespace velmora
