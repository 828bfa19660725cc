#include "render/LabelLayout.h"

#include <algorithm>

namespace velmora::render {

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
  // The right margins mirror the left ones: even margins on every side.
  const double barsRight = l.barsLeft + modules * g.moduleWidth + quiet + g.barcodeX;
  const double textRight = text.empty() ? 0 : l.textLeft + size.width + quiet + g.textX;
  l.width = std::max(barsRight, textRight);
  const double textBottom = text.empty() ? 0 : l.textTop + std::max(size.height, g.fontHeight);
  l.height = std::max(l.barsTop + l.barsHeight, textBottom) + g.barcodeY;
  return l;
}

LabelLayout LayOutMatrix(const TemplateGeometry& g, int columns, int rows, double module, int quiet,
                         const std::string& text, const std::function<TextSize(const std::string&)>& measure) {
  const double margin = quiet * module;
  LabelLayout l;
  l.module = module;
  l.modules = columns;
  l.rows = rows;
  l.quiet = quiet;
  l.barsLeft = margin + g.barcodeX;
  l.barsTop = margin + g.barcodeY;
  l.barsHeight = rows * module;
  const double symbolBottom = l.barsTop + l.barsHeight + margin;
  l.textLeft = l.barsLeft;
  // as far below the symbol as the template sets its text below the bars
  l.textTop = l.barsTop + l.barsHeight + std::max(margin, g.textY - g.barcodeY - g.barcodeHeight);
  l.fontHeight = g.fontHeight;
  l.text = text;
  const TextSize size = text.empty() ? TextSize{} : measure(text);
  l.textBaseline = l.textTop + size.ascent;
  const double symbolRight = l.barsLeft + columns * module + margin + g.barcodeX;
  l.width = std::max(symbolRight, text.empty() ? 0 : l.textLeft + size.width + margin + g.barcodeX);
  const double textBottom = text.empty() ? symbolBottom : l.textTop + std::max(size.height, g.fontHeight);
  l.height = textBottom + g.barcodeY;
  return l;
}

LabelLayout LayOutLabel(const TemplateGeometry& g, const symbol::EncodedSymbol& symbol, const std::string& text,
                        double matrixModule, const std::function<TextSize(const std::string&)>& measure) {
  if (!symbol::IsMatrix(symbol.kind)) return LayOut(g, symbol.Columns(), text, measure);
  const double module = matrixModule > 0 ? matrixModule : kMatrixModuleFactor * g.moduleWidth;
  return LayOutMatrix(g, symbol.Columns(), symbol.rows, module, symbol::QuietModules(symbol.kind), text, measure);
}

void FitToSize(LabelLayout& l, double width, double height) {
  const double dx = std::max(0.0, (width - l.width) / 2);
  const double dy = std::max(0.0, (height - l.height) / 2);
  l.barsLeft += dx;
  l.textLeft += dx;
  l.barsTop += dy;
  l.textTop += dy;
  l.textBaseline += dy;
  l.width = std::max(l.width, width);
  l.height = std::max(l.height, height);
}

}  // namespace velmora::render
