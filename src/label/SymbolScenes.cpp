#include "label/SymbolScenes.h"

#include <algorithm>
#include <cmath>

#include "label/LabelDrawing.h"
#include "render/LabelFaces.h"
#include "render/LogisticLayout.h"
#include "symbol/DataTitles.h"
#include "symbol/Gs1_128Split.h"

namespace velmora::label {
namespace {

symbol::EncodedSymbol Encoded(const symbol::Elements& part) {
  symbol::EncodedSymbol s = symbol::EncodeGs1_128(part);
  if (!s.Ok()) throw std::runtime_error("the encoder refused the data: " + s.error);
  return s;
}

// `mm` made a whole number of dots at `dpi`, as the label's image will have it.
double WholeDots(double mm, int dpi) {
  const double dots = dpi / 25.4;
  return std::max(1.0, std::round(mm * dots)) / dots;
}

}  // namespace

render::LabelScene StackedScene(const symbol::Elements& elements, const symbol::Gs1Data& gs1,
                                const render::TemplateGeometry& g, const RenderOptions& o, double maxWidth) {
  const std::vector<symbol::Elements> parts =
      symbol::SplitOverGs1_128(elements, gs1.dictionary, {g.moduleWidth, maxWidth, false});
  render::LabelScene scene;
  scene.face = g.fontFace;
  scene.fixedPitch = g.fixedPitch;
  for (const symbol::Elements& part : parts) {
    symbol::EncodedSymbol s = Encoded(part);
    render::LabelLayout l = LayOutLabel(g, s, o.noText ? "" : symbol::HumanReadable(part), 0, maxWidth);
    render::LabelScene one = render::OneSymbolScene(std::move(l), std::move(s), g);
    render::Shift(one, 0, scene.height);  // under the symbols before it
    scene.width = std::max(scene.width, one.width);
    scene.height += one.height;
    scene.symbols.push_back(std::move(one.symbols.front()));
  }
  return scene;
}

render::LabelScene LogisticScene(const symbol::Elements& elements, const symbol::EncodedSymbol& whole,
                                 const symbol::Gs1Data& gs1, const RenderOptions& o) {
  render::LogisticSizes sizes;
  if (o.textSize > 0) sizes.symbolText = o.textSize;  // the text under the symbols, as on a template's label
  if (sizes.symbolText < 3 && !o.noText) {
    throw std::runtime_error("--text-size: the text under a logistics label's symbol is at least 3 mm high");
  }
  render::LogisticStock stock;
  stock.width = o.mediaWidth;
  stock.height = o.mediaHeight;
  stock.module = WholeDots(o.module > 0 && !symbol::IsMatrix(o.symbol) ? o.module : kLogisticModule, o.dpi);
  stock.matrixModule = WholeDots(o.module > 0 ? o.module : render::kMatrixModuleFactor * stock.module, o.dpi);
  stock.barHeight = o.barHeight;
  render::LogisticContent content;
  content.freeText = o.freeText;
  // The SSCC, the label's key, titled first; the rest as given.
  symbol::Elements titled = elements;
  std::stable_partition(titled.begin(), titled.end(), [](const symbol::Element& e) { return e.ai == "00"; });
  for (const symbol::Element& e : titled) content.fields.push_back(symbol::Titled(e, gs1.dictionary));
  if (symbol::IsMatrix(whole.kind)) {
    content.symbols.push_back(whole);
    content.symbolTexts.push_back(o.noText ? "" : symbol::HumanReadable(whole.elements));
  } else {
    for (const symbol::Elements& part :
         symbol::SplitOverGs1_128(elements, gs1.dictionary, {stock.module, stock.width - 2 * sizes.edge, true})) {
      content.symbols.push_back(Encoded(part));
      content.symbolTexts.push_back(o.noText ? "" : symbol::HumanReadable(part));
    }
  }
  const auto measure = [](const std::string& text, double size, bool fixedPitch) {
    return render::LabelFace::For(fixedPitch).Measure(text, size);
  };
  return render::LayOutLogisticLabel(content, stock, measure, sizes);
}

}  // namespace velmora::label
