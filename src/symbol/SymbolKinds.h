#pragma once
// The symbols a label carries, in one table: a kind's row is everything the
// program knows of it (its name on the command line, the symbology zint
// encodes, the reader that scans it back, its symbology identifier, its quiet
// zone, matrix or bars, element string or URI). Everything that lists the
// kinds (command-line choices, help, messages) is made from the table; a new
// kind is a row.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::symbol {

// What a label's symbol is: the element string in GS1-128, GS1 DataMatrix or
// GS1 QR Code (FNC1 in first position), or its GS1 Digital Link URI in a
// plain QR Code or Data Matrix.
enum class SymbolKind : std::uint8_t { Gs1_128, Gs1DataMatrix, Gs1Qr, DlQr, DlDataMatrix };

// The symbologies the encoder and the readers know: each kind is one of them.
enum class Symbology : std::uint8_t { Code128, DataMatrix, QrCode };

struct SymbolKindRow {
  SymbolKind kind;
  const char* name;  // on the command line
  const char* help;  // what it is, for --symbol's help
  Symbology symbology;
  bool carriesUri;         // the elements' GS1 Digital Link URI, not the element string
  int quietModules;        // the light margin GS1 asks for on each side, in modules
  const char* identifier;  // what a scanner prefixes the data with
};

inline constexpr SymbolKindRow kSymbolKinds[] = {
    {SymbolKind::Gs1_128, "gs1-128", "the template's own", Symbology::Code128, false, 10, "]C1"},
    {SymbolKind::Gs1DataMatrix, "gs1-datamatrix", "the element string in GS1 DataMatrix", Symbology::DataMatrix, false,
     1, "]d2"},
    {SymbolKind::Gs1Qr, "gs1-qr", "the element string in GS1 QR Code", Symbology::QrCode, false, 4, "]Q3"},
    {SymbolKind::DlQr, "dl-qr", "the elements' GS1 Digital Link URI in a QR Code", Symbology::QrCode, true, 4, "]Q1"},
    {SymbolKind::DlDataMatrix, "dl-datamatrix", "the elements' GS1 Digital Link URI in a Data Matrix",
     Symbology::DataMatrix, true, 1, "]d1"},
};

const SymbolKindRow& RowOf(SymbolKind kind);
inline const char* SymbolName(SymbolKind kind) { return RowOf(kind).name; }
std::optional<SymbolKind> SymbolNamed(std::string_view name);
inline bool IsMatrix(SymbolKind kind) { return RowOf(kind).symbology != Symbology::Code128; }
inline bool CarriesUri(SymbolKind kind) { return RowOf(kind).carriesUri; }
inline int QuietModules(SymbolKind kind) { return RowOf(kind).quietModules; }
inline const char* SymbologyIdentifier(SymbolKind kind) { return RowOf(kind).identifier; }

// "gs1-128, gs1-datamatrix, gs1-qr, dl-qr or dl-datamatrix": the names, for messages.
std::string SymbolNameList();
// "gs1-128 (the template's own), gs1-datamatrix (...), ...": for --symbol's help.
std::string SymbolHelp();

}  // namespace velmora::symbol
