#include "render/LabelLayout.h"

#include <algorithm>

namespace velmora::render {
namespace {

using Measure = std::function<TextSize(const std::string&)>;

// `text` broken before its AIs (a '(' not written "\(") into lines that
// `measure` sets at most `room` mm wide; a piece wider alone is a line alone.
std::vector<std::string> WrapAtAis(const std::string& text, double room, const Measure& measure) {
  std::vector<std::string> pieces;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (pieces.empty() || (text[i] == '(' && text[i - 1] != '\\')) pieces.emplace_back();
    pieces.back() += text[i];
  }
  std::vector<std::string> lines;
  for (const std::string& piece : pieces) {
    if (!lines.empty() && measure(lines.back() + piece).width <= room + 1e-9) {
      lines.back() += piece;
    } else {
      lines.push_back(piece);
    }
  }
  return lines;
}

// Sets `l`'s lines of `text` within `room` mm (on one line when it fits, or
// when `room` is 0: no width to keep to); returns the widest line's width.
double SetLines(LabelLayout& l, const std::string& text, double room, const TextSize& whole, double fontHeight,
                const Measure& measure) {
  l.lineHeight = std::max(whole.height, fontHeight);
  const bool fits = room <= 0 || whole.width <= room + 1e-9;
  l.lines = fits ? std::vector<std::string>{text} : WrapAtAis(text, room, measure);
  if (l.lines.size() == 1) return whole.width;
  double widest = 0;
  for (const std::string& line : l.lines) widest = std::max(widest, measure(line).width);
  return widest;
}

}  // namespace

LabelLayout LayOut(const TemplateGeometry& g, int modules, const std::string& text,
                   const std::function<TextSize(const std::string&)>& measure, double maxWidth) {
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
  const double room = maxWidth > 0 ? maxWidth - l.textLeft - quiet - g.textX : 0;
  const double textWidth = text.empty() ? 0 : SetLines(l, text, room, size, g.fontHeight, measure);
  const double textRight = text.empty() ? 0 : l.textLeft + textWidth + quiet + g.textX;
  l.width = std::max(barsRight, textRight);
  const double textBottom = text.empty() ? 0 : l.textTop + l.lines.size() * l.lineHeight;
  l.height = std::max(l.barsTop + l.barsHeight, textBottom) + g.barcodeY;
  return l;
}

LabelLayout LayOutMatrix(const TemplateGeometry& g, int columns, int rows, double module, int quiet,
                         const std::string& text, const std::function<TextSize(const std::string&)>& measure,
                         double maxWidth) {
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
  const double room = maxWidth > 0 ? maxWidth - l.textLeft - margin - g.barcodeX : 0;
  const double textWidth = text.empty() ? 0 : SetLines(l, text, room, size, g.fontHeight, measure);
  l.width = std::max(symbolRight, text.empty() ? 0 : l.textLeft + textWidth + margin + g.barcodeX);
  const double textBottom = text.empty() ? symbolBottom : l.textTop + l.lines.size() * l.lineHeight;
  l.height = textBottom + g.barcodeY;
  return l;
}

LabelLayout LayOutLabel(const TemplateGeometry& g, const symbol::EncodedSymbol& symbol, const std::string& text,
                        double matrixModule, const std::function<TextSize(const std::string&)>& measure,
                        double maxWidth) {
  if (!symbol::IsMatrix(symbol.kind)) return LayOut(g, symbol.Columns(), text, measure, maxWidth);
  const double module = matrixModule > 0 ? matrixModule : kMatrixModuleFactor * g.moduleWidth;
  return LayOutMatrix(g, symbol.Columns(), symbol.rows, module, symbol::QuietModules(symbol.kind), text, measure,
                      maxWidth);
}

void Move(LabelLayout& l, double dx, double dy) {
  l.barsLeft += dx;
  l.textLeft += dx;
  l.barsTop += dy;
  l.textTop += dy;
  l.textBaseline += dy;
}

}  // namespace velmora::render
