#include "label/LabelLayout.h"

#include <algorithm>

namespace velmora::label {

LabelLayout LayOut(const TemplateGeometry& g, int modules, const std::string& text,
                   const std::function<TextSize(const std::string&)>& measure) {
  // The template's places are measured from the quiet zone's outer edge, so the
  // label is as wide as its content plus the quiet zones.
  const double quiet = kQuietModules * g.moduleWidth;
  LabelLayout l;
  l.module = g.moduleWidth;
  l.modules = modules;
  l.barsLeft = quiet + g.barcodeX;
  l.barsTop = g.barcodeY;
  l.barsHeight = g.barcodeHeight;
  l.textLeft = quiet + g.textX;
  l.textTop = g.textY;
  l.fontHeight = g.fontHeight;
  l.text = text;
  const TextSize size = text.empty() ? TextSize{} : measure(text);
  l.textBaseline = l.textTop + size.ascent;
  const double barsRight = l.barsLeft + modules * g.moduleWidth + quiet;
  const double textRight = text.empty() ? 0 : l.textLeft + size.width + quiet;
  l.width = std::max(barsRight, textRight);
  const double textBottom = text.empty() ? 0 : l.textTop + std::max(size.height, g.fontHeight);
  l.height = std::max(l.barsTop + l.barsHeight, textBottom) + g.barcodeY;
  return l;
}

}  // namespace velmora::label
