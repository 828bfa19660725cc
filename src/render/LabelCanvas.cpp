#include "render/LabelCanvas.h"

namespace velmora::render {
namespace {

void DrawSymbol(LabelCanvas& canvas, const SceneSymbol& s, const LabelScene& scene) {
  const LabelLayout& l = s.layout;
  if (l.rows == 0) {
    for (const auto& [start, width] : symbol::BarRuns(s.symbol)) {
      canvas.Bar(l.barsLeft + start * l.module, l.barsTop, width * l.module, l.barsHeight);
    }
  }
  for (int row = 0; row < l.rows; ++row) {
    for (const auto& [start, width] : symbol::BarRuns(s.symbol, row)) {
      canvas.Block(l.barsLeft + start * l.module, l.barsTop + row * l.module, width * l.module, l.module);
    }
  }
  canvas.SymbolDone();
  for (std::size_t i = 0; i < l.lines.size(); ++i) {
    canvas.Text(l.textLeft, l.textBaseline + i * l.lineHeight, l.fontHeight, scene.face, scene.fixedPitch, l.lines[i]);
  }
}

}  // namespace

void DrawLabel(LabelCanvas& canvas, const LabelScene& scene) {
  canvas.Paper(scene.width, scene.height);
  for (const SceneRule& r : scene.rules) canvas.Block(r.x, r.y, r.width, r.height);
  canvas.SymbolDone();
  for (const SceneSymbol& s : scene.symbols) DrawSymbol(canvas, s, scene);
  for (const SceneText& t : scene.texts) canvas.Text(t.x, t.baseline, t.size, scene.face, t.fixedPitch, t.text);
}

}  // namespace velmora::render
