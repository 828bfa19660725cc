#include "label/ZplLabel.h"

#include <cstring>

#include "render/BilevelPng.h"

namespace velmora::label {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// The count letters of a run of `count` (1 or more) before its digit.
void AppendRun(std::string& out, int count, char digit) {
  while (count > 400) {
    out += 'z';
    out += digit;
    count -= 400;
  }
  if (count >= 20) out += static_cast<char>('g' + count / 20 - 1);
  if (count % 20 > 1 || (count % 20 == 1 && count > 20)) out += static_cast<char>('G' + count % 20 - 1);
  out += digit;
}

// One row of packed bytes, as hex digits read one by one.
struct Nibbles {
  const unsigned char* bytes;
  std::size_t count;  // digits: two a byte
  int operator[](std::size_t i) const { return i % 2 == 0 ? bytes[i / 2] >> 4 : bytes[i / 2] & 15; }
};

void AppendRow(std::string& out, const Nibbles& row) {
  std::size_t end = row.count;  // past the last digit that is not 0
  while (end > 0 && row[end - 1] == 0) --end;
  if (end == 0) {
    out += ',';
    return;
  }
  std::size_t ones = row.count;  // where the row's trailing Fs start
  while (ones > 0 && row[ones - 1] == 15) --ones;
  const bool onesToEnd = ones > 0 && row.count - ones >= 2;
  const std::size_t stop = onesToEnd ? ones : end;
  for (std::size_t i = 0; i < stop;) {
    const int digit = row[i];
    std::size_t j = i + 1;
    while (j < stop && row[j] == digit) ++j;
    AppendRun(out, static_cast<int>(j - i), kHex[digit]);
    i = j;
  }
  if (onesToEnd) {
    out += '!';
  } else if (end < row.count) {
    out += ',';
  }
}

}  // namespace

std::string CompressGraphic(const std::string& packedRows, int rowBytes) {
  std::string out;
  out.reserve(packedRows.size() / 4);
  const auto* bytes = reinterpret_cast<const unsigned char*>(packedRows.data());
  const auto width = static_cast<std::size_t>(rowBytes);
  for (std::size_t at = 0; at + width <= packedRows.size(); at += width) {
    if (at > 0 && std::memcmp(bytes + at, bytes + at - width, width) == 0) {
      out += ':';
      continue;
    }
    AppendRow(out, Nibbles{bytes + at, width * 2});
  }
  return out;
}

std::string ZplLabel(const unsigned char* ink, int width, int height, int stride, int copies) {
  const int rowBytes = (width + 7) / 8;
  const std::string packed = render::PackBilevel(ink, width, height, stride, true);
  const std::string total = std::to_string(packed.size());
  return "^XA\n^PW" + std::to_string(width) + "\n^LL" + std::to_string(height) + "\n^LH0,0\n^FO0,0^GFA," + total + "," +
         total + "," + std::to_string(rowBytes) + "," + CompressGraphic(packed, rowBytes) + "^FS\n^PQ" +
         std::to_string(copies) + "\n^XZ\n";
}

}  // namespace velmora::label
