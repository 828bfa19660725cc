#include "label/OutputFormats.h"

#include <algorithm>
#include <vector>

#include "label/LabelDrawing.h"
#include "platform/Tables.h"
#include "render/LabelCanvas.h"

namespace velmora::label {

LabelBytes WritePng(const render::LabelScene& l, const LabelRequest& r) {
  Raster raster = RenderRaster(l, r.dpi, true, r.verify, 0, false, r.rotate);
  return {std::move(raster.png), std::move(raster.grey)};
}

LabelBytes WriteSvg(const render::LabelScene& l, const LabelRequest& r) { return {render::LabelSvg(l, r.rotate), {}}; }

// ZPL and PBM: exactly the bitmap that is scanned back.
LabelBytes WriteZpl(const render::LabelScene& l, const LabelRequest& r) {
  Raster raster = RenderRaster(l, r.dpi, false, r.verify, std::max(1, r.copies), false, r.rotate);
  return {std::move(raster.zpl), std::move(raster.grey)};
}

LabelBytes WritePbm(const render::LabelScene& l, const LabelRequest& r) {
  Raster raster = RenderRaster(l, r.dpi, false, r.verify, 0, true, r.rotate);
  return {std::move(raster.pbm), std::move(raster.grey)};
}

const OutputFormatRow& RowOf(OutputFormat format) {
  return RowOfMember(kOutputFormats, &OutputFormatRow::format, format);
}

std::optional<OutputFormat> FormatNamed(std::string_view name) {
  return KeyNamed(kOutputFormats, &OutputFormatRow::name, &OutputFormatRow::format, name);
}

std::string FormatList() {
  std::vector<std::string> folders;
  std::vector<std::string> files;
  for (const OutputFormatRow& row : kOutputFormats) (row.oneFile ? files : folders).emplace_back(row.name);
  return ListedWords(folders, "or") + " (a folder of files) or " + ListedWords(files, "or") + " (one file)";
}

}  // namespace velmora::label
