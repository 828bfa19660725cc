#pragma once
// The GS1 logistics label: three sections on its stock, top to bottom: free
// text (from, to); each element's data title and its value in large text; the
// symbols with their text under each, the SSCC's the lowest. Laid out in
// millimetres, the text measured through a parameter as every layout is.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/LabelLayout.h"
#include "render/LabelScene.h"
#include "symbol/DataTitles.h"
#include "symbol/ZintSymbol.h"

namespace velmora::render {

// The label's sizes, in mm: what the README's table of the layout says.
struct LogisticSizes {
  double edge = 3;          // the margin on every side
  double freeText = 4;      // the top section's lines
  double title = 3;         // a data title, over its value
  double value = 7;         // a value: GS1 recommends at least 7 mm
  double symbolText = 3.5;  // the text under a symbol: at least 3 mm
  double maxBars = 32;      // the bars' height when the stock leaves room
  double minBars = 10;      // lower bars and the label does not fit
  double rule = 0.3;        // the lines between the sections
};

struct LogisticContent {
  std::vector<std::string> freeText;
  std::vector<symbol::TitledValue> fields;
  std::vector<symbol::EncodedSymbol> symbols;  // top to bottom
  std::vector<std::string> symbolTexts;        // under each; "" for none
};

struct LogisticStock {
  double width = 0;
  double height = 0;
  double module = 0;        // GS1-128's X, mm
  double matrixModule = 0;  // a 2D symbol's, mm
  double barHeight = 0;     // 0: what the stock leaves, at most LogisticSizes::maxBars
};

// A text's size at an em of `size` mm in the fixed-pitch face or the proportional one.
using FaceMeasure = std::function<TextSize(const std::string& text, double size, bool fixedPitch)>;

// Thrown when the content does not fit the stock; says by how much and what would.
class LogisticFitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

LabelScene LayOutLogisticLabel(const LogisticContent& content, const LogisticStock& stock, const FaceMeasure& measure,
                               const LogisticSizes& sizes = {});

}  // namespace velmora::render
