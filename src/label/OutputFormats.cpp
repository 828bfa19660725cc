#include "label/OutputFormats.h"

#include <vector>

#include "platform/Tables.h"

namespace velmora::label {

const OutputFormatRow& RowOf(OutputFormat format) {
  const OutputFormatRow* row = RowWhere(kOutputFormats, &OutputFormatRow::format, format);
  return row != nullptr ? *row : kOutputFormats[0];  // every format has its row
}

std::optional<OutputFormat> FormatNamed(std::string_view name) {
  const OutputFormatRow* row = RowWhere(kOutputFormats, &OutputFormatRow::name, name);
  return row != nullptr ? std::optional<OutputFormat>(row->format) : std::nullopt;
}

std::string FormatList() {
  std::vector<std::string> folders;
  std::vector<std::string> files;
  for (const OutputFormatRow& row : kOutputFormats) (row.oneFile ? files : folders).emplace_back(row.name);
  return ListedWords(folders, "or") + " (a folder of files) or " + ListedWords(files, "or") + " (one file)";
}

}  // namespace velmora::label
