#pragma once
// The fields of the current AI that follow from the user's choices.

namespace velmora {

// Recomputes Prefix, Suffix, Matrix (which may cut FixData), the decimal AI
// digit and CharLen of IdTable(CurrentId), in that order.
void UpdateCurrentId();

void DerivePrefix();
void DeriveSuffix();
void DeriveMatrix();
void DeriveDecimalKey();

}  // namespace velmora
