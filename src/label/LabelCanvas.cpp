#include "label/LabelCanvas.h"

namespace velmora::label {

void DrawLabel(LabelCanvas& canvas, const LabelLayout& l, const symbol::EncodedSymbol& symbol,
               const TemplateGeometry& g) {
  canvas.Paper(l.width, l.height);
  for (const auto& [start, width] : symbol::BarRuns(symbol)) {
    canvas.Bar(l.barsLeft + start * l.module, l.barsTop, width * l.module, l.barsHeight);
  }
  if (!l.text.empty()) canvas.Text(l.textLeft, l.textBaseline, l.fontHeight, g.fontFace, g.fixedPitch, l.text);
}

}  // namespace velmora::label
