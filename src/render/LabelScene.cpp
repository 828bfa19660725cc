#include "render/LabelScene.h"

#include <algorithm>
#include <utility>

namespace velmora::render {

LabelScene OneSymbolScene(LabelLayout layout, symbol::EncodedSymbol symbol, const TemplateGeometry& g) {
  LabelScene scene;
  scene.width = layout.width;
  scene.height = layout.height;
  scene.face = g.fontFace;
  scene.fixedPitch = g.fixedPitch;
  scene.symbols.push_back({std::move(layout), std::move(symbol)});
  return scene;
}

void Shift(LabelScene& scene, double dx, double dy) {
  for (SceneSymbol& s : scene.symbols) Move(s.layout, dx, dy);
  for (SceneText& t : scene.texts) {
    t.x += dx;
    t.baseline += dy;
  }
  for (SceneRule& r : scene.rules) {
    r.x += dx;
    r.y += dy;
  }
}

void FitToSize(LabelScene& scene, double width, double height) {
  Shift(scene, std::max(0.0, (width - scene.width) / 2), std::max(0.0, (height - scene.height) / 2));
  scene.width = std::max(scene.width, width);
  scene.height = std::max(scene.height, height);
}

}  // namespace velmora::render
