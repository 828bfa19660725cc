#include "commands/StockWords.h"

#include <algorithm>
#include <stdexcept>

#include "platform/FileAccess.h"

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

bool ParseStock(const std::string& text, double& width, double& height) {
  struct Named {
    const char* name;
    double width, height;
  };
  static constexpr Named kNamed[] = {{"A6", 105, 148}, {"A5", 148, 210}};
  for (const Named& n : kNamed) {
    if (text == n.name) {
      width = n.width, height = n.height;
      return true;
    }
  }
  if (!text.ends_with("in")) return ParseMedia(text, width, height);
  if (!ParseMedia(text.substr(0, text.size() - 2) + "mm", width, height) || width > 80 || height > 80) return false;
  width *= 25.4, height *= 25.4;
  return true;
}

std::string ReadStock(const StockWords& w, label::RenderOptions& o) {
  if (!w.layout.empty()) {
    for (const label::LayoutRow& row : label::kLayouts) {
      if (w.layout == row.name) o.layout = row.kind;
    }
  }
  const bool logistic = o.layout == label::LayoutKind::Gs1Logistic;
  if (!w.media.empty() && !ParseStock(w.media, o.mediaWidth, o.mediaHeight)) {
    return "--media " + w.media + ": expected A6, A5, WxHin (4x6in) or WxHmm (100x50mm)";
  }
  if (logistic && w.media.empty()) ParseStock("A6", o.mediaWidth, o.mediaHeight);
  if (!w.textFile.empty()) {
    std::string text;
    if (ReadWholeFile(w.textFile, text) != ReadStatus::Ok) return "--text-file " + w.textFile + ": cannot be read";
    std::size_t start = 0;
    for (std::size_t end; start < text.size(); start = end + 1) {
      end = std::min(text.find('\n', start), text.size());
      std::string line = text.substr(start, end - start);
      if (line.ends_with('\r')) line.pop_back();
      o.freeText.push_back(line);
    }
  }
  if (!logistic && !o.freeText.empty()) {
    return "--text and --text-file fill the logistics label's top section: give --layout gs1-logistic";
  }
  return "";
}

}  // namespace velmora::commands
