#include "label/ZplLabel.h"

namespace velmora::label {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// The count letters of a run of `count` (1 or more) before its digit.
void AppendRun(std::string& out, int count, char digit) {
  if (count == 1) {
    out += digit;
    return;
  }
  while (count > 400) {
    out += 'z';
    out += digit;
    count -= 400;
  }
  if (count >= 20) out += static_cast<char>('g' + count / 20 - 1);
  if (count % 20 > 0) out += static_cast<char>('G' + count % 20 - 1);
  out += digit;
}

std::string CompressRow(const std::string& hex) {
  const std::size_t end = hex.find_last_not_of('0');
  if (end == std::string::npos) return ",";
  const std::size_t lastOne = hex.find_last_not_of('F');
  const bool onesToEnd = lastOne != std::string::npos && lastOne + 1 < hex.size() && hex.size() - lastOne > 2;
  const std::size_t stop = onesToEnd ? lastOne + 1 : end + 1;
  std::string out;
  for (std::size_t i = 0; i < stop;) {
    std::size_t j = i;
    while (j < stop && hex[j] == hex[i]) ++j;
    AppendRun(out, static_cast<int>(j - i), hex[i]);
    i = j;
  }
  if (onesToEnd) return out + "!";
  return end + 1 < hex.size() ? out + "," : out;
}

}  // namespace

std::string CompressGraphic(const std::string& packedRows, int rowBytes) {
  std::string out;
  std::string previous;
  for (std::size_t at = 0; at + static_cast<std::size_t>(rowBytes) <= packedRows.size(); at += static_cast<std::size_t>(rowBytes)) {
    std::string hex;
    for (int b = 0; b < rowBytes; ++b) {
      const auto byte = static_cast<unsigned char>(packedRows[at + static_cast<std::size_t>(b)]);
      hex += kHex[byte >> 4];
      hex += kHex[byte & 15];
    }
    out += hex == previous ? ":" : CompressRow(hex);
    previous = std::move(hex);
  }
  return out;
}

std::string ZplLabel(const unsigned char* ink, int width, int height, int stride, int copies) {
  const int rowBytes = (width + 7) / 8;
  std::string packed(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), '\0');
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = ink + static_cast<std::ptrdiff_t>(y) * stride;
    char* out = packed.data() + static_cast<std::ptrdiff_t>(y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      if (row[x] >= 128) out[x / 8] = static_cast<char>(out[x / 8] | (0x80 >> (x % 8)));
    }
  }
  const std::string total = std::to_string(packed.size());
  return "^XA\n^PW" + std::to_string(width) + "\n^LL" + std::to_string(height) + "\n^LH0,0\n^FO0,0^GFA," + total + "," +
         total + "," + std::to_string(rowBytes) + "," + CompressGraphic(packed, rowBytes) + "^FS\n^PQ" +
         std::to_string(copies) + "\n^XZ\n";
}

}  // namespace velmora::label
