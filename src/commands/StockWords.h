#pragma once
// The label stock as the command line gives it: --media WxHmm, and --sheet,
// --grid and --gap as sheets of labels. Each returns "" or the line that says
// what is wrong with the words.
#include <string>

#include "label/BatchRender.h"

namespace velmora::commands {

// "100x50mm" (or "100 x 50 mm") as millimetres; false for anything else.
bool ParseMedia(const std::string& text, double& width, double& height);

// The stock by name (A6, A5), in inches ("4x6in") or in mm; false for anything else.
bool ParseStock(const std::string& text, double& width, double& height);

// What the logistics label's words ask for, into `options`: --media (A6 when
// none is given), --text-file's lines after --text's. "" or what is wrong.
struct StockWords {
  std::string media;
  std::string layout;
  std::string textFile;
};
std::string ReadStock(const StockWords& words, label::RenderOptions& options);

struct SheetWords {
  std::string sheet;  // A4, A5, Letter or WxHmm
  std::string grid;   // COLUMNSxROWS
  std::string gap;    // Nmm
};
std::string ReadSheet(const SheetWords& words, label::RenderOptions::Sheet& sheet);

}  // namespace velmora::commands
