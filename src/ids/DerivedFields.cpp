#include "ids/DerivedFields.h"

#include <algorithm>
#include <string>

#include "base/Int16.h"
#include "base/VbText.h"
#include "ids/HistoryState.h"
#include "ids/TextToNumber.h"

namespace velmora {
namespace {

IdRecord& Current() { return History().IdTable(History().CurrentId); }

// `count` copies of `c`; a negative count (a catalogue length shorter than the
// prefix and check digit together) gives nothing rather than failing.
std::string Repeat(std::int32_t count, char c) { return std::string(static_cast<std::size_t>(std::max(0, count)), c); }

}  // namespace

void DerivePrefix() {
  IdRecord& r = Current();
  r.Prefix.clear();
  if (r.Choice[0] != 0 && (r.IdKey == "410" || r.IdKey == "411" || r.IdKey == "412")) r.Prefix = "0000";
  if (r.Choice[1] != 0 && HasIdFlag(r.RankInFile, FlagPrefixNine)) r.Prefix = "9";
}

void DeriveSuffix() {
  IdRecord& r = Current();
  r.Suffix.clear();
  if (r.Choice[0] != 0 && HasIdFlag(r.RankInFile, FlagCheckDigit)) r.Suffix = "X";
}

void DeriveMatrix() {
  IdRecord& r = Current();
  r.Matrix.clear();
  if (r.IsFixed == 0) return;
  if (r.HasMax == 0) {
    if (r.FixData.empty()) r.Matrix = "*";
    return;
  }
  if (r.IsNumeric == 0) {
    r.Matrix = Repeat(r.CharLenBackup, ' ');
    return;
  }
  // P, S and F are 16-bit lengths: data longer than 32767 characters overflows here.
  const std::int16_t reserved = CheckedInt16(CheckedInt16(Len(r.Prefix)) + CheckedInt16(Len(r.Suffix)));
  std::int16_t fixed = CheckedInt16(Len(r.FixData));
  if (CheckedInt16(reserved + fixed) > r.CharLenBackup) {
    r.FixData = Left(r.FixData, CheckedInt16(r.CharLenBackup - reserved));
    fixed = CheckedInt16(Len(r.FixData));
  }
  r.Matrix = Repeat(CheckedInt16(r.CharLenBackup - CheckedInt16(reserved + fixed)), '0');
}

void DeriveDecimalKey() {
  IdRecord& r = Current();
  const double stem = ValueOfText(Left(r.IdKey, 3));
  if (stem >= 310 && stem <= 369 && r.Selection != -1) r.IdKey = r.IdKeyBackup + std::to_string(r.Selection);
}

void UpdateCurrentId() {
  DerivePrefix();
  DeriveSuffix();
  DeriveMatrix();
  DeriveDecimalKey();
  IdRecord& r = Current();
  r.CharLen = CheckedInt16(r.CharLenBackup - CheckedInt16(CheckedInt16(Len(r.Suffix)) + CheckedInt16(Len(r.Prefix))));
}

}  // namespace velmora
