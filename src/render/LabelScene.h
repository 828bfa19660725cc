#pragma once
// Everything one label shows, placed in millimetres: its symbols, each with
// its readable text under it, lines of text of the label's own (a logistics
// label's free text, data titles and values) and rules between its sections.
// Every output draws a scene, whether it holds one symbol or several.
#include <string>
#include <vector>

#include "render/LabelLayout.h"
#include "render/TemplateGeometry.h"
#include "symbol/ZintSymbol.h"

namespace velmora::render {

struct SceneSymbol {
  LabelLayout layout;  // where its modules and its text go; its width and height are the symbol's block
  symbol::EncodedSymbol symbol;
};

struct SceneText {
  double x = 0;
  double baseline = 0;
  double size = 0;  // the em, in mm
  bool fixedPitch = false;
  std::string text;
};

struct SceneRule {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

struct LabelScene {
  double width = 0;
  double height = 0;
  std::vector<SceneSymbol> symbols;
  std::vector<SceneText> texts;
  std::vector<SceneRule> rules;
  std::string face = "toto";  // the symbols' text: the template's face
  bool fixedPitch = true;
};

// The label of one symbol as `layout` places it, its text in the template's face.
LabelScene OneSymbolScene(LabelLayout layout, symbol::EncodedSymbol symbol, const TemplateGeometry& g);

// Everything moved `dx`, `dy` mm; the size is the caller's.
void Shift(LabelScene& scene, double dx, double dy);

// The label made `width` x `height` mm (when larger), its content centred.
void FitToSize(LabelScene& scene, double width, double height);

}  // namespace velmora::render
