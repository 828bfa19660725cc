#pragma once
// The formats a run writes, in one table: a format's row is its name (and its
// files' extension), whether the run is one file or a file a label, and what
// it is for --format's help. The command line's choices, FormatFor and the
// messages that list formats are made from it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::label {

// Pbm: the run's 1-bit images, one P4 image a label in one file (what a raster
// printer's job is made from).
enum class OutputFormat : std::uint8_t { Png, Svg, Pdf, Zpl, Pbm };

struct OutputFormatRow {
  OutputFormat format;
  const char* name;  // and the extension of its files
  bool oneFile;      // the run's labels in one file; else a file a label in a folder
};

inline constexpr OutputFormatRow kOutputFormats[] = {
    {OutputFormat::Png, "png", false}, {OutputFormat::Svg, "svg", false}, {OutputFormat::Pdf, "pdf", true},
    {OutputFormat::Zpl, "zpl", true},  {OutputFormat::Pbm, "pbm", true},
};

const OutputFormatRow& RowOf(OutputFormat format);
inline const char* Extension(OutputFormat format) { return RowOf(format).name; }
inline bool OneFile(OutputFormat format) { return RowOf(format).oneFile; }
std::optional<OutputFormat> FormatNamed(std::string_view name);
// "png or svg (a folder of files) or pdf, zpl or pbm (one file)".
std::string FormatList();

}  // namespace velmora::label
