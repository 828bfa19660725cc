#include "symbol/ScanBack.h"

#include <numeric>

namespace velmora::symbol {
namespace {

constexpr int kQuietModules = 10;

std::size_t PredefinedLength(const AiSyntax& s) {
  return std::accumulate(s.components.begin(), s.components.end(), std::size_t{0},
                         [](std::size_t sum, const Component& c) { return sum + static_cast<std::size_t>(c.maxLength); });
}

}  // namespace

GreyImage RenderForScan(const EncodedSymbol& symbol, int pixelsPerModule, int height) {
  GreyImage image;
  image.width = (static_cast<int>(symbol.modules.size()) + 2 * kQuietModules) * pixelsPerModule;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(height), 255);
  for (std::size_t x = 0; x < symbol.modules.size(); ++x) {
    if (!symbol.modules[x]) continue;
    const int left = (kQuietModules + static_cast<int>(x)) * pixelsPerModule;
    for (int y = 0; y < height; ++y) {
      for (int dx = 0; dx < pixelsPerModule; ++dx) image.pixels[static_cast<std::size_t>(y * image.width + left + dx)] = 0;
    }
  }
  return image;
}

Elements ElementsOfScan(const ScanResult& scan, const SyntaxDictionary& dictionary) {
  const std::string where = "scanned data";
  if (scan.symbologyIdentifier != "]C1") {
    throw ElementError(where, 1, "not GS1-128 (symbology identifier '" + scan.symbologyIdentifier + "')");
  }
  const std::string& t = scan.text;
  Elements elements;
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == '\x1D') {
      ++i;
      continue;
    }
    const std::string ai = dictionary.AiAtStart(std::string_view(t).substr(i));
    if (ai.empty()) throw ElementError(where, i + 1, "no GS1 AI starts here");
    const std::size_t start = i + ai.size();
    std::size_t end = std::min(t.find('\x1D', start), t.size());
    if (const AiSyntax* s = dictionary.Find(ai); s->predefinedLength) end = std::min(end, start + PredefinedLength(*s));
    elements.push_back({ai, t.substr(start, end - start)});
    i = end;
  }
  return elements;
}

std::string VerifyScan(const GreyImage& image, const Elements& expected, const SyntaxDictionary& dictionary) {
  const ScanResult scan = ScanCode128(image);
  if (!scan.found) return "the symbol could not be scanned";
  try {
    const Elements read = ElementsOfScan(scan, dictionary);
    if (read != expected) return "scanned " + HumanReadable(read) + ", encoded " + HumanReadable(expected);
  } catch (const ElementError& e) {
    return e.what();
  }
  return {};
}

}  // namespace velmora::symbol
