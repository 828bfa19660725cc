#include "support/PwgRead.h"

#include <cups/raster.h>
#include <fcntl.h>
#include <unistd.h>

namespace velmora::test {

std::vector<symbol::GreyImage> ReadPwgPages(const std::string& path) {
  std::vector<symbol::GreyImage> pages;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return pages;
  cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
  cups_page_header2_t h;
  while (raster != nullptr && cupsRasterReadHeader2(raster, &h) != 0) {
    symbol::GreyImage page;
    page.width = static_cast<int>(h.cupsWidth);
    page.height = static_cast<int>(h.cupsHeight);
    page.pixels.resize(static_cast<std::size_t>(h.cupsWidth) * h.cupsHeight);
    std::vector<unsigned char> row(h.cupsBytesPerLine);
    for (unsigned y = 0; y < h.cupsHeight; ++y) {
      if (cupsRasterReadPixels(raster, row.data(), h.cupsBytesPerLine) != h.cupsBytesPerLine) break;
      for (unsigned x = 0; x < h.cupsWidth; ++x) {
        const bool ink = h.cupsBitsPerPixel == 1 ? (row[x / 8] & (0x80 >> (x % 8))) != 0 : row[x] < 128;
        page.pixels[static_cast<std::size_t>(y) * h.cupsWidth + x] = ink ? 0 : 255;
      }
    }
    pages.push_back(std::move(page));
  }
  if (raster != nullptr) cupsRasterClose(raster);
  ::close(fd);
  return pages;
}

}  // namespace velmora::test
