// Host documents: any file gives a document or one clear error.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "automation/HostDocumentFile.h"
#include "base/RuntimeError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/velmora-fuzz-document-" + std::to_string(::getpid()) + ".json";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  std::ostringstream out;
  try {
    const auto document = velmora::LoadHostDocument(path, out);
    document->Get(1);
  } catch (const velmora::DocumentFileError&) {
  } catch (const velmora::RuntimeError&) {
  }
  return 0;
}
