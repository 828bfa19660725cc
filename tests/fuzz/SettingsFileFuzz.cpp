// Settings files: any bytes parse; a key written into them reads back as written.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Utf8Text.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/IniEditor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = velmora::DecodeFileText(bytes);
  velmora::IniDocument::Parse(text);
  // A plain value written into the file is what the reader then finds.
  std::string edited = text;
  if (velmora::SetIniValue(edited, "Fuzz Section", "Fuzz Key", "value 1")) {
    const velmora::IniDocument again = velmora::IniDocument::Parse(edited);
    const auto found = again.Find("fuzz section", "FUZZ KEY");
    if (!found || *found != "value 1") std::abort();
  }
  return 0;
}
