#pragma once
// The formats a run writes, in one table: a format's row is its name (and its
// files' extension), whether the run is one file or a file a label, and its
// writer. The command line's choices, FormatFor, the messages that list
// formats and the run's writing are made from it: a new format is a row.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "render/LabelScene.h"
#include "symbol/ScanBack.h"
#include "symbol/ZintSymbol.h"

namespace velmora::label {

// Pbm: the run's 1-bit images, one P4 image a label in one file (what a raster
// printer's job is made from).
enum class OutputFormat : std::uint8_t { Png, Svg, Pdf, Zpl, Pbm };

// What a writer is asked for and gives: one label's bytes (its file, or its
// part of the run's one file) and, with `verify`, the image it drew, for the
// scanner (none from a vector format: the run draws one to scan).
struct LabelRequest {
  int dpi;
  int copies;
  bool verify;
  int rotate;  // degrees clockwise: 0, 90, 180 or 270
};
struct LabelBytes {
  std::string bytes;
  symbol::GreyImage drawn;
};
using LabelWriter = LabelBytes (*)(const render::LabelScene&, const LabelRequest&);

struct OutputFormatRow {
  OutputFormat format;
  const char* name;   // and the extension of its files
  bool oneFile;       // the run's labels in one file; else a file a label in a folder
  LabelWriter write;  // nullptr: a document of pages, drawn whole at the run's end
};

LabelBytes WritePng(const render::LabelScene&, const LabelRequest&);
LabelBytes WriteSvg(const render::LabelScene&, const LabelRequest&);
LabelBytes WriteZpl(const render::LabelScene&, const LabelRequest&);
LabelBytes WritePbm(const render::LabelScene&, const LabelRequest&);

inline constexpr OutputFormatRow kOutputFormats[] = {
    {OutputFormat::Png, "png", false, WritePng}, {OutputFormat::Svg, "svg", false, WriteSvg},
    {OutputFormat::Pdf, "pdf", true, nullptr},   {OutputFormat::Zpl, "zpl", true, WriteZpl},
    {OutputFormat::Pbm, "pbm", true, WritePbm},
};

const OutputFormatRow& RowOf(OutputFormat format);
inline const char* Extension(OutputFormat format) { return RowOf(format).name; }
inline bool OneFile(OutputFormat format) { return RowOf(format).oneFile; }
// A document of pages (PDF): drawn whole at the run's end, the one kind that takes sheets.
inline bool Pages(OutputFormat format) { return RowOf(format).write == nullptr; }
std::optional<OutputFormat> FormatNamed(std::string_view name);
// "png or svg (a folder of files) or pdf, zpl or pbm (one file)".
std::string FormatList();

}  // namespace velmora::label
