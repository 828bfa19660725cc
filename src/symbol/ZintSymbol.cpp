#include "symbol/ZintSymbol.h"

#include <algorithm>
#include <memory>

#include <zint.h>

namespace velmora::symbol {
namespace {

struct ZintDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using ZintHandle = std::unique_ptr<zint_symbol, ZintDeleter>;

// How zint encodes each of our symbologies, and what a message says of it.
struct ZintWay {
  Symbology symbology;
  int zint;     // zint's symbology
  int option3;  // zint's option_3: a square Data Matrix
  const char* title;
  const char* capacity;  // what it holds at most, for data that does not fit
};

constexpr ZintWay kZintWays[] = {
    {Symbology::Code128, BARCODE_GS1_128, 0, "GS1-128",
     "GS1 allows a GS1-128 symbol 48 data characters; split the elements over several symbols"},
    {Symbology::DataMatrix, BARCODE_DATAMATRIX, DM_SQUARE, "Data Matrix",
     "a Data Matrix holds at most 3116 digits or 2335 other characters (144 x 144 modules)"},
    {Symbology::QrCode, BARCODE_QRCODE, 0, "QR Code",
     "a QR Code holds at most 7089 digits or 2953 other characters (version 40)"},
};

const ZintWay& WayOf(Symbology symbology) {
  for (const ZintWay& way : kZintWays) {
    if (way.symbology == symbology) return way;
  }
  return kZintWays[0];
}

// zint's verdict said as this program says things: which symbol, how much data, what fits.
std::string InOurWords(int status, const char* text, const ZintWay& way, const std::string& input) {
  if (status == ZINT_ERROR_TOO_LONG) {
    return "the data (" + std::to_string(input.size()) + " characters) is more than a " + way.title +
           " can hold: " + way.capacity;
  }
  std::string said = text;  // "Error 261: ..." without zint's number
  if (const std::size_t colon = said.find(": "); said.starts_with("Error ") && colon != std::string::npos) {
    said.erase(0, colon + 2);
  }
  return std::string(way.title) + ": " + said;
}

// Encodes; returns the handle with zint's result. The error text is set on a
// failure, and with zint's checks on also on a warning: zint reports data that
// GS1 does not allow as a warning and encodes it all the same.
ZintHandle Run(const Elements& elements, bool zintChecks, std::string& error, Symbology symbology = Symbology::Code128,
               const std::string* uri = nullptr) {
  ZintHandle symbol(ZBarcode_Create());
  if (!symbol) {
    error = "zint could not allocate a symbol";
    return symbol;
  }
  const ZintWay& way = WayOf(symbology);
  symbol->symbology = way.zint;
  symbol->input_mode = uri != nullptr ? DATA_MODE : GS1_MODE | (zintChecks ? 0 : GS1NOCHECK_MODE);
  symbol->option_3 = way.option3;
  const std::string input = uri != nullptr ? *uri : BracketedElements(elements);
  const int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                                     static_cast<int>(input.size()));
  if (status >= ZINT_ERROR || (zintChecks && status != 0)) error = InOurWords(status, symbol->errtxt, way, input);
  return symbol;
}

// zint keeps each row's modules packed eight to a byte, lowest bit first.
void CopyModules(const zint_symbol& symbol, int rows, EncodedSymbol& out) {
  out.rows = rows;
  out.modules.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(symbol.width));
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < symbol.width; ++x) {
      out.modules[static_cast<std::size_t>(y * symbol.width + x)] =
          ((symbol.encoded_data[y][x >> 3] >> (x & 7)) & 1) != 0;
    }
  }
}

}  // namespace

Elements EncodeOrder(Elements elements) {
  std::stable_partition(elements.begin(), elements.end(), [](const Element& e) { return !e.ai.starts_with("23"); });
  return elements;
}

EncodedSymbol EncodeGs1_128(const Elements& elements) {
  EncodedSymbol result;
  result.elements = EncodeOrder(elements);
  const ZintHandle symbol = Run(result.elements, false, result.error);
  if (!result.Ok()) return result;
  CopyModules(*symbol, 1, result);
  return result;
}

EncodedSymbol EncodeMatrix(SymbolKind kind, const Elements& elements, const std::string& uri) {
  EncodedSymbol result;
  result.kind = kind;
  result.elements = CarriesUri(kind) ? elements : EncodeOrder(elements);
  result.uri = uri;
  const ZintHandle symbol =
      Run(result.elements, false, result.error, RowOf(kind).symbology, CarriesUri(kind) ? &uri : nullptr);
  if (result.Ok()) CopyModules(*symbol, symbol->rows, result);
  return result;
}

std::string ZintVerdict(const Elements& elements) {
  std::string error;
  Run(elements, true, error);
  return error;
}

std::vector<std::pair<int, int>> BarRuns(const EncodedSymbol& symbol, int row) {
  std::vector<std::pair<int, int>> runs;
  const int columns = symbol.Columns();
  const auto first = symbol.modules.begin() + static_cast<std::ptrdiff_t>(row) * columns;
  for (int x = 0; x < columns;) {
    if (!first[x]) {
      ++x;
      continue;
    }
    const int start = x;
    while (x < columns && first[x]) ++x;
    runs.emplace_back(start, x - start);
  }
  return runs;
}

}  // namespace velmora::symbol
