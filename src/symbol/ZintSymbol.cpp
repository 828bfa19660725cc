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

// What each symbology holds at most, for a message about data that does not fit.
const char* Capacity(int symbology) {
  switch (symbology) {
    case BARCODE_DATAMATRIX:
      return "a Data Matrix holds at most 3116 digits or 2335 other characters (144 x 144 modules)";
    case BARCODE_QRCODE: return "a QR Code holds at most 7089 digits or 2953 other characters (version 40)";
  }
  return "GS1 allows a GS1-128 symbol 48 data characters; split the elements over several symbols";
}

// zint's verdict said as this program says things: which symbol, how much data, what fits.
std::string InOurWords(int status, const char* text, int symbology, const std::string& input) {
  const char* name = symbology == BARCODE_DATAMATRIX ? "Data Matrix"
                     : symbology == BARCODE_QRCODE   ? "QR Code"
                                                     : "GS1-128";
  if (status == ZINT_ERROR_TOO_LONG) {
    return "the data (" + std::to_string(input.size()) + " characters) is more than a " + name +
           " can hold: " + Capacity(symbology);
  }
  std::string said = text;  // "Error 261: ..." without zint's number
  if (const std::size_t colon = said.find(": "); said.starts_with("Error ") && colon != std::string::npos) {
    said.erase(0, colon + 2);
  }
  return std::string(name) + ": " + said;
}

// Encodes; returns the handle with zint's result. The error text is set on a
// failure, and with zint's checks on also on a warning: zint reports data that
// GS1 does not allow as a warning and encodes it all the same.
ZintHandle Run(const Elements& elements, bool zintChecks, std::string& error, int symbology = BARCODE_GS1_128,
               const std::string* uri = nullptr) {
  ZintHandle symbol(ZBarcode_Create());
  if (!symbol) {
    error = "zint could not allocate a symbol";
    return symbol;
  }
  symbol->symbology = symbology;
  symbol->input_mode = uri != nullptr ? DATA_MODE : GS1_MODE | (zintChecks ? 0 : GS1NOCHECK_MODE);
  if (symbology == BARCODE_DATAMATRIX) symbol->option_3 = DM_SQUARE;
  const std::string input = uri != nullptr ? *uri : BracketedElements(elements);
  const int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                                     static_cast<int>(input.size()));
  if (status >= ZINT_ERROR || (zintChecks && status != 0)) error = InOurWords(status, symbol->errtxt, symbology, input);
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

// zint takes every AI starting with 23 for one of predefined length and puts
// no FNC1 after it, though (235) is of variable length: such an element goes
// last, where it needs none.
Elements EncodeOrder(Elements elements) {
  std::stable_partition(elements.begin(), elements.end(), [](const Element& e) { return !e.ai.starts_with("23"); });
  return elements;
}

constexpr const char* kNames[] = {"gs1-128", "gs1-datamatrix", "gs1-qr", "dl-qr", "dl-datamatrix"};

}  // namespace

const char* SymbolName(SymbolKind kind) { return kNames[static_cast<int>(kind)]; }

std::optional<SymbolKind> SymbolNamed(std::string_view name) {
  for (int k = 0; k < 5; ++k) {
    if (name == kNames[k]) return static_cast<SymbolKind>(k);
  }
  return std::nullopt;
}

int QuietModules(SymbolKind kind) {
  if (kind == SymbolKind::Gs1_128) return 10;
  return kind == SymbolKind::Gs1Qr || kind == SymbolKind::DlQr ? 4 : 1;
}

const char* SymbologyIdentifier(SymbolKind kind) {
  constexpr const char* kIds[] = {"]C1", "]d2", "]Q3", "]Q1", "]d1"};
  return kIds[static_cast<int>(kind)];
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
  const bool qr = kind == SymbolKind::Gs1Qr || kind == SymbolKind::DlQr;
  const ZintHandle symbol = Run(result.elements, false, result.error, qr ? BARCODE_QRCODE : BARCODE_DATAMATRIX,
                                CarriesUri(kind) ? &uri : nullptr);
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
