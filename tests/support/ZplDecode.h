#pragma once
// Reads back what a ZPL printer receives: each label's ^GFA graphic field
// decompressed to a grey image a scanner can read. Written from ZPL II's
// description of the field, apart from the encoder it checks.
#include <string>
#include <vector>

#include "symbol/ZxingScan.h"

namespace velmora::test {

// Packed rows (1 = black, high bit first) from a compressed ^GFA field's data.
std::string DecompressGraphic(const std::string& data, int rowBytes, int totalBytes);

// The labels of a ZPL stream, one image each (black 0, white 255), with the
// ^PQ copies of each; throws std::runtime_error at a stream it cannot read.
struct ZplLabelImage {
  symbol::GreyImage image;
  int copies = 1;
};
std::vector<ZplLabelImage> DecodeZplLabels(const std::string& stream);

}  // namespace velmora::test
