#include "symbol/Analysis.h"

#include "symbol/ElementForms.h"
#include "symbol/Gs1Checks.h"

namespace velmora::symbol {

Analysis AnalyseBarcodeData(std::string_view data, const Gs1Data& gs1) {
  Analysis a;
  a.elements = SplitBarcodeData(data, gs1.catalogue);
  a.findings = CheckElements(a.elements, gs1.dictionary, gs1.codes);
  return a;
}

Analysis AnalyseElementString(std::string_view text, const Gs1Data& gs1) {
  Analysis a;
  a.elements = ReadElementString(text, gs1.dictionary);
  a.findings = CheckElements(a.elements, gs1.dictionary, gs1.codes);
  return a;
}

}  // namespace velmora::symbol
