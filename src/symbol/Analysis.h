#pragma once
// The core's front door for checking: barcode data or an element string in,
// its elements and GS1's findings out.
#include <string>
#include <string_view>

#include "symbol/Elements.h"
#include "symbol/Findings.h"
#include "symbol/Gs1Data.h"

namespace velmora::symbol {

struct Analysis {
  Elements elements;
  Findings findings;
  bool Valid() const { return findings.empty(); }
};

// Evaluated barcode data ({CODE C}{FNC1}01...) split with the catalogue and
// checked; throws ElementError when it cannot be split into AIs.
Analysis AnalyseBarcodeData(std::string_view data, const Gs1Data& gs1);

// An element string in any form ReadElementString reads, parsed and checked;
// throws ElementError when it cannot be read.
Analysis AnalyseElementString(std::string_view text, const Gs1Data& gs1);

// A GS1 Digital Link URI read into its elements and checked; throws
// DigitalLinkError where it is no such URI. `keptAside` gets its parameters that
// are no AI.
Analysis AnalyseDigitalLink(std::string_view uri, const Gs1Data& gs1, std::vector<std::string>* keptAside = nullptr);

}  // namespace velmora::symbol
