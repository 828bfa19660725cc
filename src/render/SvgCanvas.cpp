#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "render/LabelCanvas.h"
#include "render/LabelFaces.h"
#include "render/Thousandths.h"

namespace velmora::render {
namespace {

// Millimetres to the thousandth, the same in every locale.
void Number(std::string& out, double value) {
  char text[kThousandthsRoom];
  out.append(text, WriteThousandths(text, value, true));
}

// `text` copied to `at`; the end.
char* Put(char* at, std::string_view text) { return std::copy(text.begin(), text.end(), at); }

void Escaped(std::string& out, const std::string& text) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
}

class SvgCanvas : public LabelCanvas {
 public:
  explicit SvgCanvas(int rotate) : rotate_(rotate) {}

  void Paper(double width, double height) override {
    out_.reserve(32 * 1024);  // a label's SVG: its bars and its text's outlines
    const bool quarter = QuarterTurn(rotate_);
    const double across = quarter ? height : width;
    const double down = quarter ? width : height;
    out_ +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\"";
    Attribute("width", across, "mm");
    Attribute("height", down, "mm");
    out_ += " viewBox=\"0 0 ";
    Number(out_, across);
    out_ += ' ';
    Number(out_, down);
    out_ += "\">\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n<g fill=\"#000\"";
    if (rotate_ != 0) {  // turned clockwise, back onto the page's corner
      out_ += " transform=\"translate(";
      Number(out_, rotate_ == 270 ? 0 : across);
      out_ += ' ';
      Number(out_, rotate_ == 90 ? 0 : down);
      out_ += ") rotate(" + std::to_string(rotate_) + ")\"";
    }
    out_ += ">\n";
  }

  // A rectangle as one piece of text: a label's SVG is mostly these.
  void Bar(double x, double y, double width, double height) override {
    char text[4 * kThousandthsRoom + 48];
    char* at = Put(text, "<rect x=\"");
    at = Put(WriteThousandths(at, x, true), "\" y=\"");
    at = Put(WriteThousandths(at, y, true), "\" width=\"");
    at = Put(WriteThousandths(at, width, true), "\" height=\"");
    at = Put(WriteThousandths(at, height, true), "\"/>\n");
    out_.append(text, at);
  }

  // The text as the outlines of its face's glyphs: every viewer draws it
  // alike, with no font of its own; the text itself stays as the group's label.
  // Each glyph's outline is written once and placed where the text has it.
  void Text(double x, double baseline, double fontHeight, const std::string&, bool fixedPitch,
            const std::string& text) override {
    const LabelFace& face = LabelFace::For(fixedPitch);
    out_ += "<g aria-label=\"";
    Escaped(out_, text);
    out_ += "\">\n";
    for (const LabelFace::Pen& pen : face.Pens(text, x, fontHeight)) {
      const std::string& id = GlyphId(face, fixedPitch, fontHeight, pen.codePoint);
      if (id.empty()) continue;  // a blank: nothing to draw
      char text[2 * kThousandthsRoom + 32];
      out_ += "<use xlink:href=\"#";
      out_ += id;
      char* at = Put(text, "\" x=\"");
      at = Put(WriteThousandths(at, pen.x, true), "\" y=\"");
      at = Put(WriteThousandths(at, baseline, true), "\"/>\n");
      out_.append(text, at);
    }
    out_ += "</g>\n";
  }

  std::string Finish() { return std::move(out_) + "</g>\n</svg>\n"; }

 private:
  // ` name="value"`, in millimetres unless `unit` says otherwise.
  void Attribute(const char* name, double value, const char* unit = "") {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    Number(out_, value);
    out_ += unit;
    out_ += '"';
  }

  // The id of a glyph's outline at a size (in thousandths of a mm), its
  // outline written the first time it is asked for, in font units scaled to
  // the size; empty for a glyph with no outline.
  const std::string& GlyphId(const LabelFace& face, bool fixedPitch, double size, char32_t c) {
    const auto key = std::tuple(fixedPitch, std::llround(size * 1000), c);
    const auto [at, added] = glyphs_.try_emplace(key);
    if (!added) return at->second;
    const std::string outline = face.GlyphOutline(c);
    if (outline.empty()) return at->second;
    at->second = std::string(fixedPitch ? "m" : "p") + std::to_string(std::get<1>(key)) + "-" + std::to_string(c);
    char scale[32];
    const double mmPerUnit = static_cast<double>(std::get<1>(key)) / 1000 / face.UnitsPerEm();
    char* end = std::to_chars(scale, scale + sizeof scale, mmPerUnit).ptr;  // shortest exact text
    out_ += "<defs><path id=\"" + at->second + "\" transform=\"scale(";
    out_.append(scale, end);
    out_ += ")\" d=\"" + outline + "\"/></defs>\n";
    return at->second;
  }

  int rotate_;
  std::string out_;
  std::map<std::tuple<bool, long long, char32_t>, std::string> glyphs_;
};

}  // namespace

std::string LabelSvg(const LabelScene& scene, int rotate) {
  SvgCanvas canvas(rotate);
  DrawLabel(canvas, scene);
  return canvas.Finish();
}

}  // namespace velmora::render
