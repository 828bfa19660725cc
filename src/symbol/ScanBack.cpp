#include "symbol/ScanBack.h"

#include <algorithm>
#include <numeric>

#include "symbol/Findings.h"
#include "symbol/ZbarScan.h"

namespace velmora::symbol {
namespace {

std::size_t PredefinedLength(const AiSyntax& s) {
  return std::accumulate(
      s.components.begin(), s.components.end(), std::size_t{0},
      [](std::size_t sum, const Component& c) { return sum + static_cast<std::size_t>(c.maxLength); });
}

// What a reading says of the symbol: "" when it carries what was encoded.
std::string Compare(const ScanResult& scan, const EncodedSymbol& symbol, const SyntaxDictionary& dictionary) {
  if (!scan.found) return "the symbol could not be scanned";
  const char* identifier = SymbologyIdentifier(symbol.kind);
  if (CarriesUri(symbol.kind)) {
    if (scan.symbologyIdentifier != identifier) {
      return "symbology identifier '" + scan.symbologyIdentifier + "', not '" + identifier + "'";
    }
    return scan.text == symbol.uri ? "" : "scanned " + Printable(scan.text) + ", encoded " + symbol.uri;
  }
  try {
    const Elements read = ElementsOfScan(scan, dictionary, identifier);
    if (read != symbol.elements)
      return "scanned " + HumanReadable(read) + ", encoded " + HumanReadable(symbol.elements);
  } catch (const ElementError& e) {
    return e.what();
  }
  return {};
}

}  // namespace

GreyImage RenderForScan(const EncodedSymbol& symbol, int pixelsPerModule, int height) {
  const int quiet = QuietModules(symbol.kind);
  const int rowHeight = IsMatrix(symbol.kind) ? pixelsPerModule : height;
  GreyImage image;
  image.width = (symbol.Columns() + 2 * quiet) * pixelsPerModule;
  image.height = symbol.rows * rowHeight + (IsMatrix(symbol.kind) ? 2 * quiet * pixelsPerModule : 0);
  image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 255);
  const int top = IsMatrix(symbol.kind) ? quiet * pixelsPerModule : 0;
  for (int row = 0; row < symbol.rows; ++row) {
    for (const auto& [start, width] : BarRuns(symbol, row)) {
      for (int y = top + row * rowHeight; y < top + (row + 1) * rowHeight; ++y) {
        const auto at =
            image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width + (quiet + start) * pixelsPerModule;
        std::fill_n(at, width * pixelsPerModule, std::uint8_t{0});
      }
    }
  }
  return image;
}

Elements ElementsOfScan(const ScanResult& scan, const SyntaxDictionary& dictionary, const char* identifier) {
  const std::string where = "scanned data";
  if (scan.symbologyIdentifier != identifier) {
    throw ElementError(where, 1, "symbology identifier '" + scan.symbologyIdentifier + "', not '" + identifier + "'");
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
  EncodedSymbol symbol;
  symbol.elements = expected;
  return VerifySymbol(image, symbol, dictionary);
}

std::string VerifySymbol(const GreyImage& image, const EncodedSymbol& symbol, const SyntaxDictionary& dictionary) {
  const Symbology symbology = RowOf(symbol.kind).symbology;
  const std::string problem = Compare(ScanSymbol(image, symbology), symbol, dictionary);
  if (problem.empty() || symbology != Symbology::QrCode) return problem;
  try {  // zxing-cpp is known to misread some QR Codes: a second reader that reads it right confirms it
    const ScanResult second = ScanQrWithZbar(image);
    if (second.found && Compare(second, symbol, dictionary).empty()) return "";
  } catch (const std::runtime_error&) {  // no second reader here: the first one's word stands
  }
  return problem;
}

}  // namespace velmora::symbol
