#include "commands/StockWords.h"

#include <stdexcept>

namespace velmora::commands {

// "100x50mm" (or "100 x 50 mm") as millimetres; false for anything else.
bool ParseMedia(const std::string& text, double& width, double& height) {
  std::string t;
  for (const char c : text) {
    if (c != ' ') t += c;
  }
  if (!t.ends_with("mm")) return false;
  t.resize(t.size() - 2);
  const std::size_t x = t.find('x');
  if (x == std::string::npos) return false;
  try {
    std::size_t used = 0;
    width = std::stod(t.substr(0, x), &used);
    if (used != x) return false;
    height = std::stod(t.substr(x + 1), &used);
    return used == t.size() - x - 1 && width > 0 && height > 0 && width <= 2000 && height <= 2000;
  } catch (...) {
    return false;
  }
}

std::string ReadSheet(const SheetWords& w, label::RenderOptions::Sheet& sheet) {
  if (w.sheet.empty() && w.grid.empty()) return "";
  const auto fail = [](const std::string& what) { return what; };
  if (w.sheet.empty() || w.grid.empty()) return fail("--sheet and --grid go together (--sheet A4 --grid 3x8)");
  if (w.sheet == "A4") {
    sheet.width = 210, sheet.height = 297;
  } else if (w.sheet == "A5") {
    sheet.width = 148, sheet.height = 210;
  } else if (w.sheet == "Letter") {
    sheet.width = 215.9, sheet.height = 279.4;
  } else if (!ParseMedia(w.sheet, sheet.width, sheet.height)) {
    return fail("--sheet " + w.sheet + ": expected A4, A5, Letter or WxHmm");
  }
  const std::size_t x = w.grid.find('x');
  try {
    sheet.columns = x == std::string::npos ? 0 : std::stoi(w.grid.substr(0, x));
    sheet.rows = x == std::string::npos ? 0 : std::stoi(w.grid.substr(x + 1));
  } catch (...) {
    sheet.columns = 0;
  }
  if (sheet.columns < 1 || sheet.rows < 1 || sheet.columns > 50 || sheet.rows > 100) {
    return fail("--grid " + w.grid + ": expected COLUMNSxROWS, such as 3x8");
  }
  if (!w.gap.empty()) {
    std::string gap = w.gap.ends_with("mm") ? w.gap.substr(0, w.gap.size() - 2) : w.gap;
    try {
      std::size_t used = 0;
      sheet.gap = std::stod(gap, &used);
      if (used != gap.size() || sheet.gap < 0 || sheet.gap > 100) throw std::invalid_argument("gap");
    } catch (...) {
      return fail("--gap " + w.gap + ": expected a length in mm, such as 2mm");
    }
  }
  return "";
}

std::string ReadMedia(const std::string& media, label::RenderOptions& o) {
  if (media.empty() || ParseMedia(media, o.mediaWidth, o.mediaHeight)) return "";
  return "--media " + media + ": expected WxHmm, such as 100x50mm";
}

}  // namespace velmora::commands
