#include "render/LabelCanvas.h"

namespace velmora::render {

void DrawLabel(LabelCanvas& canvas, const LabelLayout& l, const symbol::EncodedSymbol& symbol,
               const TemplateGeometry& g) {
  canvas.Paper(l.width, l.height);
  if (l.rows == 0) {
    for (const auto& [start, width] : symbol::BarRuns(symbol)) {
      canvas.Bar(l.barsLeft + start * l.module, l.barsTop, width * l.module, l.barsHeight);
    }
  }
  for (int row = 0; row < l.rows; ++row) {
    for (const auto& [start, width] : symbol::BarRuns(symbol, row)) {
      canvas.Block(l.barsLeft + start * l.module, l.barsTop + row * l.module, width * l.module, l.module);
    }
  }
  for (std::size_t i = 0; i < l.lines.size(); ++i) {
    canvas.Text(l.textLeft, l.textBaseline + i * l.lineHeight, l.fontHeight, g.fontFace, g.fixedPitch, l.lines[i]);
  }
}

}  // namespace velmora::render
