// Element strings and barcode data: any text is read or refused with a
// position, and what is read is checked and, when GS1 accepts it, encoded,
// titled as a logistics label shows it and split over GS1-128 symbols that
// together carry every AI once.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "symbol/Analysis.h"
#include "symbol/DataTitles.h"
#include "symbol/Gs1_128Split.h"
#include "symbol/ZintSymbol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const velmora::symbol::Gs1Data gs1 = velmora::symbol::LoadGs1Data(VELMORA_FUZZ_DATA_DIR);
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const bool barcodeData : {false, true}) {
    try {
      const velmora::symbol::Analysis a = barcodeData ? velmora::symbol::AnalyseBarcodeData(text, gs1)
                                                      : velmora::symbol::AnalyseElementString(text, gs1);
      for (const auto& f : a.findings) velmora::symbol::FindingText(f);
      for (const auto& e : a.elements) velmora::symbol::Titled(e, gs1.dictionary);
      if (!a.Valid()) continue;
      velmora::symbol::EncodeGs1_128(a.elements);
      try {
        const auto symbols = velmora::symbol::SplitOverGs1_128(a.elements, gs1.dictionary, {0.5, 100, true});
        if (!velmora::symbol::CarriedOnce(a.elements, symbols).empty()) std::abort();
      } catch (const velmora::symbol::SplitError&) {  // an AI too long for 100 mm: said, not split
      }
    } catch (const velmora::symbol::ElementError& e) {
      if (e.Position() == 0 || e.Position() > text.size() + 1) std::abort();
    }
  }
  return 0;
}
