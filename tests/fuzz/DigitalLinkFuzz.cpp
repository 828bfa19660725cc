// GS1 Digital Link URIs: any text is read or refused with a column inside it;
// what is read is checked and makes a URI again that reads back to the same
// elements (in the order that URI gives them).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "symbol/Analysis.h"
#include "symbol/DigitalLink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace s = velmora::symbol;
  static const s::Gs1Data gs1 = s::LoadGs1Data(VELMORA_FUZZ_DATA_DIR);
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const s::Analysis a = s::AnalyseDigitalLink(text, gs1);
    for (const auto& f : a.findings) s::FindingText(f);
    const std::string uri = s::MakeDigitalLink(a.elements, gs1.dictionary);
    s::Elements back = s::ReadDigitalLink(uri, gs1.dictionary, gs1.dlAlphas).elements;
    s::Elements read = a.elements;
    const auto byAi = [](const s::Element& x, const s::Element& y) { return x.ai < y.ai; };
    std::sort(back.begin(), back.end(), byAi);
    std::sort(read.begin(), read.end(), byAi);
    if (back != read) std::abort();
  } catch (const s::DigitalLinkError& e) {
    if (e.Column() > text.size() + 1) std::abort();
  }
  return 0;
}
