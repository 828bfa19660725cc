#pragma once
// Where a label template puts its bars and text: what drawing a label needs of
// the template, apart from reading it.
#include <string>

namespace velmora::render {

// Places and sizes in millimetres, from the template's hundredths of a millimetre.
struct TemplateGeometry {
  double barcodeX = 0.5;
  double barcodeY = 0.5;
  double barcodeHeight = 12.0;
  double moduleWidth = 0.4;  // NarrowBarWidth: the X-dimension
  double textX = 1.0;
  double textY = 13.5;
  double fontHeight = 4.3;
  std::string fontFace = "toto";
  bool fixedPitch = true;
};

}  // namespace velmora::render
