#pragma once
// The label stock as the command line gives it: --media WxHmm, and --sheet,
// --grid and --gap as sheets of labels. Each returns "" or the line that says
// what is wrong with the words.
#include <string>

#include "label/BatchRender.h"

namespace velmora::commands {

// "100x50mm" (or "100 x 50 mm") as millimetres; false for anything else.
bool ParseMedia(const std::string& text, double& width, double& height);

struct SheetWords {
  std::string sheet;  // A4, A5, Letter or WxHmm
  std::string grid;   // COLUMNSxROWS
  std::string gap;    // Nmm
};
std::string ReadSheet(const SheetWords& words, label::RenderOptions::Sheet& sheet);
std::string ReadMedia(const std::string& media, label::RenderOptions& options);

}  // namespace velmora::commands
