#pragma once
// A barcode pasted or scanned into the wizard: its AIs walked through the
// pages one after another with the operations a user's clicks and keys make
// (pick, options, typed data, next), so that the state and the template are
// exactly those of that walk. It ends on the summary page.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "symbol/Gs1Data.h"

namespace velmora {

class FMain;
class ListBox;

// A paste that cannot start: nothing has changed.
class PasteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How the pages take one AI.
struct PastedAi {
  std::string ai;
  std::int16_t rank = 0;      // its catalogue entry
  bool checkDigit = false;    // "compute the check digit" (or the "0000" of 410-412) ticked
  bool prefixNine = false;    // the prefix digit 9 ticked
  std::int16_t decimal = -1;  // the decimal position of 310n-369n, -1 for none
  std::string typed;          // what is typed on the data page
};

// The plan for `elements`, with the AIs of page 0's list `catalogue`: throws
// PasteError naming an AI the catalogue lacks.
std::vector<PastedAi> PlanPaste(const symbol::Elements& elements, const ListBox& catalogue);

// `text` in any form the barcode core reads (an element string with or without
// brackets, scanner data after ]C1/]d2/]Q3 with GS, a GS1 Digital Link URI)
// walked into the wizard, which must be on page 0. Throws PasteError, before
// anything changes, for text that is none of these or an AI the catalogue lacks.
void PasteInto(FMain& w, const std::string& text, const symbol::Gs1Data& gs1);

}  // namespace velmora
