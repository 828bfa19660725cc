#include "support/ZplDecode.h"

#include <cctype>
#include <stdexcept>

namespace velmora::test {
namespace {

int HexValue(char c) { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'A' + 10; }

int Number(const std::string& text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
  if (at == start) throw std::runtime_error("ZPL: a number expected at " + std::to_string(start));
  return std::stoi(text.substr(start, at - start));
}

}  // namespace

std::string DecompressGraphic(const std::string& data, int rowBytes, int totalBytes) {
  const std::size_t rowHex = static_cast<std::size_t>(rowBytes) * 2;
  std::string hex;
  std::string row;
  std::string previous(rowHex, '0');
  int count = 0;
  const auto endRow = [&](char fill) {
    row.append(rowHex - std::min(row.size(), rowHex), fill);
    row.resize(rowHex);
    hex += row;
    previous = row;
    row.clear();
  };
  for (const char c : data) {
    if (c >= 'G' && c <= 'Y') {
      count += c - 'G' + 1;
    } else if (c >= 'g' && c <= 'z') {
      count += (c - 'g' + 1) * 20;
    } else if (c == ',') {
      endRow('0');
    } else if (c == '!') {
      endRow('F');
    } else if (c == ':') {
      hex += previous;
    } else if (std::isxdigit(static_cast<unsigned char>(c))) {
      row.append(static_cast<std::size_t>(count == 0 ? 1 : count), c);
      count = 0;
      if (row.size() >= rowHex) endRow('0');
    }
  }
  if (!row.empty()) endRow('0');
  std::string packed;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    packed += static_cast<char>(HexValue(hex[i]) * 16 + HexValue(hex[i + 1]));
  if (static_cast<int>(packed.size()) != totalBytes) {
    throw std::runtime_error("ZPL: the graphic field holds " + std::to_string(packed.size()) +
                             " bytes, its header says " + std::to_string(totalBytes));
  }
  return packed;
}

std::vector<ZplLabelImage> DecodeZplLabels(const std::string& stream) {
  std::vector<ZplLabelImage> labels;
  for (std::size_t at = stream.find("^XA"); at != std::string::npos; at = stream.find("^XA", at)) {
    const std::size_t end = stream.find("^XZ", at);
    if (end == std::string::npos) throw std::runtime_error("ZPL: ^XA without ^XZ");
    const std::string format = stream.substr(at, end - at);
    std::size_t gf = format.find("^GFA,");
    if (gf == std::string::npos) throw std::runtime_error("ZPL: a label without ^GFA");
    gf += 5;
    const int total = Number(format, gf);
    ++gf;
    Number(format, gf);
    ++gf;
    const int rowBytes = Number(format, gf);
    ++gf;
    const std::string packed = DecompressGraphic(format.substr(gf, format.find("^FS", gf) - gf), rowBytes, total);
    ZplLabelImage label;
    const int height = total / rowBytes;
    label.image.width = rowBytes * 8;
    label.image.height = height;
    label.image.pixels.resize(static_cast<std::size_t>(label.image.width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < label.image.pixels.size(); ++i) {
      const auto byte = static_cast<unsigned char>(packed[i / 8]);
      label.image.pixels[i] = (byte & (0x80 >> (i % 8))) != 0 ? 0 : 255;
    }
    if (const std::size_t pq = format.find("^PQ"); pq != std::string::npos) {
      std::size_t n = pq + 3;
      label.copies = Number(format, n);
    }
    labels.push_back(std::move(label));
    at = end + 3;
  }
  return labels;
}

}  // namespace velmora::test
