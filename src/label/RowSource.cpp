#include "label/RowSource.h"

#include <algorithm>

#include <utility>

namespace velmora::label {

bool FixedRows::Next(std::vector<symbol::VariableValues>& rows, std::size_t max) {
  rows.clear();
  for (; next_ < rows_.size() && rows.size() < max; ++next_) rows.push_back(rows_[next_]);
  return !rows.empty();
}

CsvRowSource::CsvRowSource(const std::string& path, char delimiter, symbol::VariableValues sets,
                           std::vector<std::string> ignored)
    : csv_(path, delimiter), sets_(std::move(sets)), ignored_(std::move(ignored)) {
  for (std::vector<std::string> fields; csv_.Next(fields);) ++count_;
  csv_.Rewind();
}

bool CsvRowSource::Next(std::vector<symbol::VariableValues>& rows, std::size_t max) {
  rows.clear();
  const std::vector<std::string>& header = csv_.Header();
  for (std::vector<std::string> fields; rows.size() < max && csv_.Next(fields);) {
    symbol::VariableValues values = sets_;
    for (std::size_t c = 0; c < fields.size(); ++c) {
      if (std::find(ignored_.begin(), ignored_.end(), header[c]) == ignored_.end())
        values[header[c]] = std::move(fields[c]);
    }
    rows.push_back(std::move(values));
  }
  return !rows.empty();
}

RowsFrom::RowsFrom(std::unique_ptr<RowSource> source, int first) : source_(std::move(source)), first_(first) {
  Rewind();
}

void RowsFrom::Rewind() {
  source_->Rewind();
  std::vector<symbol::VariableValues> skipped;
  for (int left = first_ - 1; left > 0 && source_->Next(skipped, static_cast<std::size_t>(std::min(left, 4096)));) {
    left -= static_cast<int>(skipped.size());
  }
}

}  // namespace velmora::label
