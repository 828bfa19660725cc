#include "symbol/Analysis.h"

#include <utility>

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

Analysis AnalyseDigitalLink(std::string_view uri, const Gs1Data& gs1, std::vector<std::string>* keptAside) {
  ReadLink link = ReadDigitalLink(uri, gs1.dictionary, gs1.dlAlphas);
  if (keptAside != nullptr) *keptAside = std::move(link.keptAside);
  Analysis a;
  a.elements = std::move(link.elements);
  a.findings = CheckElements(a.elements, gs1.dictionary, gs1.codes);
  return a;
}

}  // namespace velmora::symbol
