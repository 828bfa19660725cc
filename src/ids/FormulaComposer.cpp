#include "ids/FormulaComposer.h"

#include <vector>

#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "ids/HistoryState.h"
#include "ids/IdTable.h"

namespace velmora {
namespace {

constexpr const char* kOperator = " & ";

const std::string& Quote() { return Globals().QuoteChar; }

enum class Formula { BarcodeData, ReadableText };

std::vector<const IdRecord*> EmittedRecords() {
  std::vector<const IdRecord*> emitted;
  const std::int16_t count = ChosenIdCount();
  for (std::int16_t i = 0; i < count; ++i) {
    const IdRecord& r = History().IdTable(i);
    if (IsIdComplete(r) != 0) emitted.push_back(&r);
  }
  return emitted;
}

// A host variable feeding a fixed-length AI is padded to the AI's length.
std::string PaddedVariable(const IdRecord& r, const std::string& data) {
  const std::string length = std::to_string(r.CharLen);
  return "Left(" + data + kOperator + Quote() +
         std::string(static_cast<std::size_t>(std::max<int>(0, r.CharLen)), '0') + Quote() + ", " + length + ")";
}

class Composer {
 public:
  explicit Composer(Formula kind) : kind_(kind) {}

  std::string Compose() {
    const std::vector<const IdRecord*> emitted = EmittedRecords();
    for (std::size_t i = 0; i < emitted.size(); ++i) AppendRecord(*emitted[i], i == 0, i + 1 == emitted.size());
    return formula_;
  }

 private:
  void Append(std::int16_t literal, const std::string& piece) {
    formula_ += FormulaJoint(literal, started_) + piece;
    started_ = True;
  }

  void AppendRecord(const IdRecord& r, bool first, bool last) {
    const bool data = kind_ == Formula::BarcodeData;
    const std::string marker = CodeSetMarker(r.IsNumeric, ToBoolean(first));
    if (!marker.empty()) Append(True, data ? marker : "");
    Append(True, data ? r.IdKey : "(" + r.IdKey + ")");
    if (!r.Prefix.empty()) Append(True, r.Prefix);
    if (!r.Matrix.empty()) Append(True, r.Matrix);
    std::int16_t literal = False;
    std::string piece = DataPiece(r, literal);
    if (r.HasMax == -1 && literal == False) piece = PaddedVariable(r, piece);
    Append(literal, piece);
    if (const std::string check = CheckDigitPiece(r); !check.empty()) {
      literal = False;
      Append(False, check);
    }
    if (const std::string sep = SeparatorPiece(r, ToBoolean(last), literal); !sep.empty()) {
      Append(True, data ? sep : "");
    }
    if (last && literal == True) formula_ += Quote();
  }

  Formula kind_;
  std::string formula_;
  std::int16_t started_ = False;
};

}  // namespace

// The stored values are compared as they are: a catalogue that says 1 for yes
// gets a marker at every change between its 1 and another entry's -1.
std::string CodeSetMarker(std::int16_t numeric, std::int16_t first) {
  HistoryState& h = History();
  if (first != 0) h.CurrentCodeSetC = static_cast<std::int16_t>(~numeric);
  std::string marker;
  if (h.CurrentCodeSetC != numeric) {
    marker = numeric != 0 ? "{CODE C}" : "{CODE B}";
    if (first != 0) marker += "{FNC1}";
  }
  h.CurrentCodeSetC = numeric;
  return marker;
}

std::string FormulaJoint(std::int16_t pieceIsLiteral, std::int16_t started) {
  HistoryState& h = History();
  if (started == False) {
    h.LastPieceLiteral = True;
    return Quote();
  }
  const bool wasLiteral = h.LastPieceLiteral != 0;
  const bool isLiteral = pieceIsLiteral != 0;
  h.LastPieceLiteral = ToBoolean(isLiteral);
  if (wasLiteral && isLiteral) return "";
  if (wasLiteral) return Quote() + kOperator;
  if (isLiteral) return kOperator + Quote();
  return kOperator;
}

std::string DataPiece(const IdRecord& record, std::int16_t& isLiteral) {
  isLiteral = ToBoolean(record.IsFixed == -1);
  return isLiteral != 0 ? record.FixData : record.VarData;
}

std::string SeparatorPiece(const IdRecord& record, std::int16_t isLast, std::int16_t& isLiteral) {
  if (isLast != 0 || record.HasMax == -1) return "";
  isLiteral = True;
  return "{FNC1}";
}

std::string CheckDigitPiece(const IdRecord& record) {
  if (!HasIdFlag(record.RankInFile, FlagCheckDigit) || record.Choice[0] == 0) return "";
  const std::string argument =
      record.IsFixed != 0 ? Quote() + record.Prefix + record.Matrix + record.FixData + Quote() : record.VarData;
  return "Modulo10(" + argument + ")";
}

std::string ComposeBarcodeData() { return Composer(Formula::BarcodeData).Compose(); }

std::string ComposeReadableText() { return Composer(Formula::ReadableText).Compose(); }

}  // namespace velmora
