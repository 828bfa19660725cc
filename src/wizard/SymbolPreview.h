#pragma once
// The symbol the chosen AIs make, as the window shows it under its buttons: the
// barcode-data formula evaluated with sample values for the host variables,
// checked against GS1's rules and encoded. The findings are about what the user
// typed: a host variable's sample only stands in for drawing, and where GS1
// would refuse the sample (a date of zeros) a valid sample of the AI is drawn.
#include <cstdint>
#include <string>
#include <vector>

#include "base/IdRecord.h"
#include "symbol/Findings.h"
#include "symbol/Gs1Data.h"
#include "symbol/ZintSymbol.h"

namespace velmora {

struct PreviewFinding {
  std::string ai;
  std::size_t position = 0;  // in the AI's data, from 1; 0 for the AI as a whole
  std::string kind;          // the stable name ("invalid-month")
  std::string text;          // in the user's language
};

struct SymbolPreview {
  std::string data;              // the evaluated barcode data
  symbol::Elements elements;     // what is drawn, in the order of the table
  symbol::EncodedSymbol symbol;  // no modules when there is nothing to draw
  std::vector<PreviewFinding> findings;
  std::string problem;        // why nothing can be drawn, when that is so
  std::string digitalLink;    // the elements' GS1 Digital Link URI, when they make one
  std::string noDigitalLink;  // else why not
  bool valid = false;         // GS1 accepts the data, and there is some
  // The typed characters a finding is about, in the text box of the AI being
  // edited, in characters; -1 when none.
  std::int32_t markStart = -1;
  std::int32_t markLength = 0;
};

// What the chosen AIs are: the barcode-data formula and the table's complete
// records it holds, in its order.
struct ChosenAis {
  std::string formula{};
  std::vector<const IdRecord*> records{};
  int current = -1;  // the record whose text box is being edited, among them; -1 for none
  // The AIs set to take their data from a variable with none chosen: the template carries nothing of them.
  std::vector<std::string> withoutVariable{};
};

SymbolPreview ComputeSymbolPreview(const ChosenAis& chosen, const symbol::Gs1Data& gs1,
                                   const symbol::FindingWords& words);

}  // namespace velmora
