#pragma once
// ZPL II for thermal label printers: a label's 1-bit image as a compressed
// graphic field, one ^XA ... ^XZ format per label, at the printer's resolution.
#include <string>

namespace velmora::label {

// `ink` holds one byte a dot (>= 128 is black), `stride` bytes a row. The
// format prints the image at the top left of a label `width` x `height` dots,
// `copies` times.
std::string ZplLabel(const unsigned char* ink, int width, int height, int stride, int copies);

// The data of a ^GFA field for packed rows (1 = black, the first dot in the
// high bit), in ZPL's own compression: runs of a hex digit as a count letter
// (G..Y 1 to 19, g..z 20 to 400) before it, ',' for a row's trailing zeros,
// '!' for its trailing ones, ':' for a row like the one before.
std::string CompressGraphic(const std::string& packedRows, int rowBytes);

}  // namespace velmora::label
