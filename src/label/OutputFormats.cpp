#include "label/OutputFormats.h"

#include <vector>

namespace velmora::label {
namespace {

// "a, b or c".
std::string Listed(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    list += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
  }
  return list;
}

}  // namespace

const OutputFormatRow& RowOf(OutputFormat format) {
  for (const OutputFormatRow& row : kOutputFormats) {
    if (row.format == format) return row;
  }
  return kOutputFormats[0];  // every format has its row
}

std::optional<OutputFormat> FormatNamed(std::string_view name) {
  for (const OutputFormatRow& row : kOutputFormats) {
    if (name == row.name) return row.format;
  }
  return std::nullopt;
}

std::string FormatList() {
  std::vector<std::string> folders;
  std::vector<std::string> files;
  for (const OutputFormatRow& row : kOutputFormats) (row.oneFile ? files : folders).emplace_back(row.name);
  return Listed(folders) + " (a folder of files) or " + Listed(files) + " (one file)";
}

}  // namespace velmora::label
