#pragma once
// Where everything of one label goes, in millimetres: the bars (or a 2D
// symbol's squares) with their quiet zones, the readable text under them, and
// the label's own size.
#include <functional>
#include <string>
#include <vector>

#include "render/TemplateGeometry.h"
#include "symbol/ZintSymbol.h"

namespace velmora::render {

// GS1-128's quiet zone on each side, in X, from the symbol kinds' table.
inline const int kQuietModules = symbol::QuietModules(symbol::SymbolKind::Gs1_128);

struct LabelLayout {
  double width = 0;
  double height = 0;
  double barsLeft = 0;  // the first module; the quiet zone lies left of it
  double barsTop = 0;
  double barsHeight = 0;
  double module = 0;
  int modules = 0;            // a row's
  int rows = 0;               // a 2D symbol's rows of square modules; 0 for bars
  int quiet = kQuietModules;  // the light margin on each side, in modules
  double textLeft = 0;
  double textTop = 0;
  double textBaseline = 0;
  double fontHeight = 0;
  std::string text;
  // The text's lines: the text broken before its AIs where it is wider than
  // its symbol, each line `lineHeight` mm below the one before.
  std::vector<std::string> lines;
  double lineHeight = 0;
};

// A line of text as the font sets it, in millimetres: its advance and the
// height from the top of the tallest letter to the bottom of the lowest.
struct TextSize {
  double width = 0;
  double height = 0;
  double ascent = 0;  // from the top to the baseline
};

LabelLayout LayOut(const TemplateGeometry& g, int modules, const std::string& text,
                   const std::function<TextSize(const std::string&)>& measure, double maxWidth = 0);

// A 2D symbol of `columns` x `rows` modules `module` mm wide, `quiet` modules of
// light margin round it, at the template's place for the bars; the text goes
// under it, starting where the symbol starts.
LabelLayout LayOutMatrix(const TemplateGeometry& g, int columns, int rows, double module, int quiet,
                         const std::string& text, const std::function<TextSize(const std::string&)>& measure,
                         double maxWidth = 0);

// A 2D symbol's module is 1.5 times the template's bar width unless given: GS1
// asks that 2D symbols, read by imagers, be printed at 1.5 times the X-dimension
// of the linear symbols they stand beside.
inline constexpr double kMatrixModuleFactor = 1.5;

// The one layout of a label, for every output and for the wizard's preview:
// `symbol` (a 2D symbol's modules `matrixModule` mm, 0: as above) with its
// quiet zones, and `text` under it as `measure` sets it (MeasureLabelText: the
// template's face, opened from its file). Given a `maxWidth` (the stock's),
// the text wraps before an AI where it would make the label wider.
LabelLayout LayOutLabel(const TemplateGeometry& g, const symbol::EncodedSymbol& symbol, const std::string& text,
                        double matrixModule, const std::function<TextSize(const std::string&)>& measure,
                        double maxWidth = 0);

// The layout's symbol and text moved `dx`, `dy` mm; its size is the caller's.
void Move(LabelLayout& l, double dx, double dy);

// Does turning a label `degrees` clockwise swap its width and its height?
inline bool QuarterTurn(int degrees) { return degrees == 90 || degrees == 270; }

}  // namespace velmora::render
