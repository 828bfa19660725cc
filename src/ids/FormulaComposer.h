#pragma once
// The two formulas in the host's label formula language: the barcode data
// (with the Code 128 markers) and the human-readable text.
#include <string>

#include "base/IdRecord.h"

namespace velmora {

std::string ComposeBarcodeData();
std::string ComposeReadableText();

// The pieces, exposed for the composer's tests.
std::string CodeSetMarker(std::int16_t numeric, std::int16_t first);
std::string FormulaJoint(std::int16_t pieceIsLiteral, std::int16_t started);
std::string DataPiece(const IdRecord& record, std::int16_t& isLiteral);
std::string SeparatorPiece(const IdRecord& record, std::int16_t isLast, std::int16_t& isLiteral);
std::string CheckDigitPiece(const IdRecord& record);

}  // namespace velmora
