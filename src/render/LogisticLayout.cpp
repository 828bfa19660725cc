#include "render/LogisticLayout.h"

#include <algorithm>
#include <cstdio>

namespace velmora::render {
namespace {

constexpr double kLineStep = 1.2;  // a line's height, in ems
constexpr double kGap = 2;         // between blocks, mm

std::string Mm(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f mm", mm);
  return text;
}

class Builder {
 public:
  Builder(const LogisticStock& stock, const FaceMeasure& measure, const LogisticSizes& sizes)
      : stock_(stock), measure_(measure), sizes_(sizes), room_(stock.width - 2 * sizes.edge), y_(sizes.edge) {
    scene_.width = stock.width;
    scene_.height = stock.height;
  }

  // A line of text at the cursor, `size` mm, moving the cursor below it.
  void Line(const std::string& text, double size, const std::string& what, double x = -1, double room = -1) {
    const TextSize t = measure_(text, size, false);
    if (t.width > (room < 0 ? room_ : room) + 1e-9) {
      throw LogisticFitError(what + " \"" + text + "\" is " + Mm(t.width) + " wide; the label holds " +
                             Mm(room < 0 ? room_ : room) + " across");
    }
    scene_.texts.push_back({x < 0 ? sizes_.edge : x, y_ + t.ascent, size, false, text});
  }

  void Top(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      Line(lines[i], sizes_.freeText, "--text line " + std::to_string(i + 1));
      y_ += sizes_.freeText * kLineStep;
    }
    if (!lines.empty()) Rule();
  }

  // Each field a title over its value; two fields share a row when both fit half of it.
  void Middle(const std::vector<symbol::TitledValue>& fields) {
    const double half = (room_ - kGap) / 2;
    const auto fitsHalf = [&](const symbol::TitledValue& f) {
      return measure_(f.title, sizes_.title, false).width <= half &&
             measure_(f.value, sizes_.value, false).width <= half;
    };
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const bool pair = i + 1 < fields.size() && fitsHalf(fields[i]) && fitsHalf(fields[i + 1]);
      Field(fields[i], sizes_.edge, pair ? half : room_);
      if (pair) Field(fields[++i], sizes_.edge + half + kGap, half);
      y_ += (sizes_.title + sizes_.value) * kLineStep + kGap / 2;
    }
    if (!fields.empty()) Rule();
  }

  // The symbols down to the bottom edge, the bars sharing the height left.
  void Bottom(const LogisticContent& c) {
    std::vector<LabelLayout> blocks;
    double fixed = 0;  // all but the bars
    for (std::size_t i = 0; i < c.symbols.size(); ++i) {
      blocks.push_back(Block(c.symbols[i], c.symbolTexts[i], 0));
      const LabelLayout& b = blocks.back();
      fixed += b.height - (b.rows == 0 ? b.barsHeight : 0) + (i > 0 ? kGap : 0);
    }
    const int linear =
        static_cast<int>(std::count_if(blocks.begin(), blocks.end(), [](auto& b) { return b.rows == 0; }));
    const double left = stock_.height - sizes_.edge - y_ - fixed;
    const double bars = stock_.barHeight > 0 ? stock_.barHeight
                        : linear > 0         ? std::min(sizes_.maxBars, left / linear)
                                             : 0;
    const double least = stock_.barHeight > 0 ? stock_.barHeight : sizes_.minBars;
    if (linear == 0 && left < -1e-6) {
      throw LogisticFitError("the label needs " + Mm(-left) + " more height than the " + Size() +
                             " stock has: fewer --text lines or taller --media makes it fit");
    }
    if (linear > 0 && (left - bars * linear < -1e-6 || bars < least - 1e-9)) {
      throw LogisticFitError("the label needs " + Mm(least * linear - left) + " more height than the " + Size() +
                             " stock has, its " + std::to_string(c.symbols.size()) + " symbols' bars " + Mm(least) +
                             " high: fewer --text lines, taller --media or a lower --bar-height makes it fit");
    }
    double y = stock_.height - sizes_.edge;
    for (std::size_t i = blocks.size(); i-- > 0;) {
      LabelLayout b = Block(c.symbols[i], c.symbolTexts[i], bars);
      y -= b.height;
      Move(b, sizes_.edge, y);
      scene_.symbols.push_back({std::move(b), c.symbols[i]});
      y -= kGap;
    }
    std::reverse(scene_.symbols.begin(), scene_.symbols.end());  // top to bottom, as given
  }

  LabelScene Done() { return std::move(scene_); }

 private:
  std::string Size() const {
    char text[48];
    std::snprintf(text, sizeof text, "%g x %g mm", stock_.width, stock_.height);
    return text;
  }

  void Field(const symbol::TitledValue& f, double x, double room) {
    const double top = y_;
    Line(f.title, sizes_.title, "the data title", x, room);
    y_ += sizes_.title * kLineStep;
    Line(f.value, sizes_.value, "the " + f.title + " value", x, room);
    y_ = top;
  }

  void Rule() {
    y_ += kGap / 2;
    scene_.rules.push_back({sizes_.edge, y_, room_, sizes_.rule});
    y_ += sizes_.rule + kGap;
  }

  // A symbol with its text under it, at (0, 0); its width kept within the label's.
  LabelLayout Block(const symbol::EncodedSymbol& s, const std::string& text, double bars) const {
    TemplateGeometry g;
    g.barcodeX = 0;
    g.barcodeY = 0;
    g.textX = 0;
    g.moduleWidth = stock_.module;
    g.barcodeHeight = bars;
    g.textY = bars + 1;
    g.fontHeight = sizes_.symbolText;
    const auto measure = [this](const std::string& t) { return measure_(t, sizes_.symbolText, true); };
    LabelLayout b = LayOutLabel(g, s, text, stock_.matrixModule, measure, room_);
    if (b.width > room_ + 1e-6) {
      throw LogisticFitError("a symbol of the label is " + Mm(b.width) +
                             " wide with its quiet zones; the label holds " + Mm(room_) +
                             " across: a smaller --module or wider --media makes it fit");
    }
    return b;
  }

  const LogisticStock& stock_;
  const FaceMeasure& measure_;
  const LogisticSizes& sizes_;
  const double room_;  // across, between the edges
  double y_;           // the cursor, from the top
  LabelScene scene_;
};

}  // namespace

LabelScene LayOutLogisticLabel(const LogisticContent& content, const LogisticStock& stock, const FaceMeasure& measure,
                               const LogisticSizes& sizes) {
  Builder b(stock, measure, sizes);
  b.Top(content.freeText);
  b.Middle(content.fields);
  b.Bottom(content);
  LabelScene scene = b.Done();
  scene.face = "DejaVu Sans Mono";
  scene.fixedPitch = true;
  return scene;
}

}  // namespace velmora::render
