#pragma once
// The data rows of a run, read in batches and as often as the run asks: once
// to size its labels, once to draw them. A CSV file is streamed, so a run of
// any length holds one batch of rows at a time.
#include <cstddef>
#include <memory>
#include <vector>

#include "label/CsvRows.h"
#include "symbol/Formula.h"

namespace velmora::label {

class RowSource {
 public:
  virtual ~RowSource() = default;
  // Back to the first row.
  virtual void Rewind() = 0;
  // Up to `max` rows into `rows` (which is cleared first); false when none is left.
  virtual bool Next(std::vector<symbol::VariableValues>& rows, std::size_t max) = 0;
  // How many rows there are.
  virtual int Count() const = 0;
};

// Rows held in memory: one label of --set values, or a test's rows.
class FixedRows : public RowSource {
 public:
  explicit FixedRows(std::vector<symbol::VariableValues> rows) : rows_(std::move(rows)) {}
  void Rewind() override { next_ = 0; }
  bool Next(std::vector<symbol::VariableValues>& rows, std::size_t max) override;
  int Count() const override { return static_cast<int>(rows_.size()); }

 private:
  std::vector<symbol::VariableValues> rows_;
  std::size_t next_ = 0;
};

// The rows of a CSV file, each with the --set values `sets` beside its columns
// (the columns of `ignored` left out).
// The whole file is read once first: a malformed row is refused before any
// label is drawn, and the rows are counted.
class CsvRowSource : public RowSource {
 public:
  CsvRowSource(const std::string& path, char delimiter, symbol::VariableValues sets,
               std::vector<std::string> ignored = {});
  const std::vector<std::string>& Header() const { return csv_.Header(); }
  char Delimiter() const { return csv_.Delimiter(); }
  void Rewind() override { csv_.Rewind(); }
  bool Next(std::vector<symbol::VariableValues>& rows, std::size_t max) override;
  int Count() const override { return count_; }

 private:
  CsvStream csv_;
  symbol::VariableValues sets_;
  std::vector<std::string> ignored_;
  int count_ = 0;
};

// The rows of `source` from row `first` (from 1) on: a print run resumed
// after the labels a printer took.
class RowsFrom : public RowSource {
 public:
  RowsFrom(std::unique_ptr<RowSource> source, int first);
  void Rewind() override;
  bool Next(std::vector<symbol::VariableValues>& rows, std::size_t max) override { return source_->Next(rows, max); }
  int Count() const override { return source_->Count() - (first_ - 1); }

 private:
  std::unique_ptr<RowSource> source_;
  int first_;
};

}  // namespace velmora::label
