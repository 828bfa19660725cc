#pragma once
// What the one drawing routine draws on: paper, bars and a line of text, in
// millimetres. Images (PNG, PBM, ZPL) are set into bytes, PDF drawn by cairo,
// SVG written as plain rectangles and outlines.
#include <string>

#include "render/LabelScene.h"

namespace velmora::render {

class LabelCanvas {
 public:
  virtual ~LabelCanvas() = default;
  virtual void Paper(double width, double height) = 0;
  virtual void Bar(double x, double y, double width, double height) = 0;
  // A run of a 2D symbol's modules: bars all share their top and height, blocks do not.
  virtual void Block(double x, double y, double width, double height) { Bar(x, y, width, height); }
  // `fixedPitch` asks for a monospace face; (x, baseline) is where the text starts.
  virtual void Text(double x, double baseline, double fontHeight, const std::string& face, bool fixedPitch,
                    const std::string& text) = 0;
  // A symbol's bars are all given: the next bars are another symbol's.
  virtual void SymbolDone() {}
};

// The one drawing routine: the label's paper, its rules, each symbol's bars
// (or a 2D symbol's modules, a block for each dark run of a row) with its
// readable text, and the label's own lines of text.
void DrawLabel(LabelCanvas& canvas, const LabelScene& scene);

// The label as an SVG document, sized in millimetres, turned `rotate` degrees
// clockwise (0, 90, 180 or 270).
std::string LabelSvg(const LabelScene& scene, int rotate = 0);

}  // namespace velmora::render
