#include "symbol/ZxingScan.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "platform/ProgramDirectory.h"
#include "platform/SharedLibrary.h"
#include "symbol/ZxingPlugin.h"

namespace velmora::symbol {
namespace {

constexpr const char* kPlugin = "libvelmora-zxing.so";

// VELMORA_ZXING_PLUGIN, else beside the program (the build), else where it is
// installed (lib/velmora-wizard/plugins/ beside the program's folder).
decltype(&velmora_zxing_read) Reader() {
  static const auto read = [] {
    const char* given = std::getenv("VELMORA_ZXING_PLUGIN");
    const std::string own = ExecutableDirectory();
    const std::string tries[] = {given != nullptr ? given : "", own + "/" + kPlugin,
                                 own + "/../" VELMORA_PLUGIN_INSTALL_DIR "/" + kPlugin};
    std::string why;
    for (const std::string& path : tries) {
      if (path.empty()) continue;
      try {
        void* library = OpenSharedLibrary(path.c_str(), "scanning symbols back needs " + path);
        return reinterpret_cast<decltype(&velmora_zxing_read)>(
            SharedLibrarySymbol(library, path.c_str(), "velmora_zxing_read"));
      } catch (const std::runtime_error& e) {
        if (why.empty()) why = e.what();  // the first place tried says most
      }
    }
    throw std::runtime_error(why);
  }();
  return read;
}

ScanResult Scan(const GreyImage& image, int format) {
  auto result = std::make_unique<VelmoraZxingResult>();
  ScanResult scan;
  scan.found = Reader()(image.pixels.data(), image.width, image.height, format, result.get()) == 1;
  if (scan.found) {
    scan.text.assign(result->text, static_cast<std::size_t>(result->textLength));
    scan.symbologyIdentifier = result->symbologyIdentifier;
  }
  return scan;
}

}  // namespace

ScanResult ScanCode128(const GreyImage& image) { return Scan(image, VELMORA_ZXING_CODE128); }

ScanResult ScanSymbol(const GreyImage& image, Symbology symbology) {
  switch (symbology) {
    case Symbology::Code128: return Scan(image, VELMORA_ZXING_CODE128);
    case Symbology::DataMatrix: return Scan(image, VELMORA_ZXING_DATAMATRIX);
    case Symbology::QrCode: return Scan(image, VELMORA_ZXING_QRCODE);
  }
  return {};
}

}  // namespace velmora::symbol
