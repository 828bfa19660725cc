// Element strings and barcode data: any text is read or refused with a
// position, and what is read is checked and, when GS1 accepts it, encoded.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "symbol/Analysis.h"
#include "symbol/ZintSymbol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const velmora::symbol::Gs1Data gs1 = velmora::symbol::LoadGs1Data(VELMORA_FUZZ_DATA_DIR);
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const bool barcodeData : {false, true}) {
    try {
      const velmora::symbol::Analysis a = barcodeData ? velmora::symbol::AnalyseBarcodeData(text, gs1)
                                                      : velmora::symbol::AnalyseElementString(text, gs1);
      for (const auto& f : a.findings) velmora::symbol::FindingText(f);
      if (a.Valid()) velmora::symbol::EncodeGs1_128(a.elements);
    } catch (const velmora::symbol::ElementError& e) {
      if (e.Position() == 0 || e.Position() > text.size() + 1) std::abort();
    }
  }
  return 0;
}
