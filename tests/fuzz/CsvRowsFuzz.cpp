// Values files: any bytes give rows as long as the header, or one clear error.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "label/CsvRows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const velmora::label::CsvTable t =
        velmora::label::ParseCsv(std::string(reinterpret_cast<const char*>(data), size), "fuzz.csv");
    for (const auto& row : t.rows) {
      if (row.size() != t.header.size()) std::abort();
    }
  } catch (const velmora::label::CsvError&) {
  }
  return 0;
}
