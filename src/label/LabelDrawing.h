#pragma once
// One drawing routine for every output: PNG, SVG and PDF pages, and the grey
// image a scanner sees. The one file that speaks to cairo.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "render/LabelLayout.h"
#include "render/LabelScene.h"
#include "symbol/ZintSymbol.h"
#include "symbol/ZxingScan.h"

namespace velmora::label {

// The label laid out for `symbol` and `text` in the template's face (see
// render::LayOutLabel); a 2D symbol's modules are `matrixModule` mm (0: 1.5 X).
render::LabelLayout LayOutLabel(const render::TemplateGeometry& g, const symbol::EncodedSymbol& symbol,
                                const std::string& text, double matrixModule = 0, double maxWidth = 0);

struct Raster {
  std::string png;         // the encoded file, when asked for
  std::string zpl;         // the label as one ZPL II format, when asked for
  std::string pbm;         // the label as one P4 (binary PBM) image, when asked for
  symbol::GreyImage grey;  // what a scanner sees, when asked for
};

// At `dpi`, black and white, with every module a whole number of pixels wide so
// bars stay crisp. `zplCopies` above 0 asks for the ZPL format, printed that often.
Raster RenderRaster(const render::LabelScene& scene, int dpi, bool encodePng, bool grey, int zplCopies = 0,
                    bool pbm = false, int rotate = 0);

// A PDF of one page per label, each page the size of its label. Given a
// `sink`, the file's bytes go to it as pages are finished; else they are kept
// for Finish.
class PdfDocument {
 public:
  explicit PdfDocument(std::function<void(std::string_view)> sink = {});
  ~PdfDocument();
  PdfDocument(const PdfDocument&) = delete;
  PdfDocument& operator=(const PdfDocument&) = delete;
  // A page of the label's size, the label turned `rotate` degrees clockwise.
  void AddPage(const render::LabelScene& scene, int rotate = 0);
  // A label on a sheet of `sheetWidth` x `sheetHeight` mm, its top left corner
  // at `x`, `y` mm; `newSheet` ends the sheet before it (a page is one sheet).
  void AddToSheet(const render::LabelScene& scene, double sheetWidth, double sheetHeight, double x, double y,
                  bool newSheet);
  int Pages() const { return pages_; }
  // The whole file (or, with a sink, its last bytes sent and nothing); the
  // document takes no more pages after it.
  std::string Finish();

  struct State;  // cairo's surface and where its bytes go

 private:
  std::unique_ptr<State> state_;
  int pages_ = 0;
  bool sheetOpen_ = false;
};

}  // namespace velmora::label
