#include "label/CsvRows.h"

#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

#include "platform/Utf8Text.h"

namespace velmora::label {
namespace {

class Reader {
 public:
  Reader(std::string_view text, const std::string& name, bool atStart = true) : text_(text), name_(name) {
    if (atStart && text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
  }
  std::size_t Consumed(std::string_view whole) const {
    return static_cast<std::size_t>(text_.data() - whole.data()) + pos_;
  }

  // The separator of the header line: a comma, or the semicolon or tab that
  // spreadsheets write in much of Europe, whichever it holds most of outside quotes.
  char DetectDelimiter() const {
    int counts[3] = {0, 0, 0};
    bool quoted = false;
    for (std::size_t i = 0; i < text_.size() && (quoted || (text_[i] != '\n' && text_[i] != '\r')); ++i) {
      if (text_[i] == '"') quoted = !quoted;
      if (quoted) continue;
      counts[0] += text_[i] == ',';
      counts[1] += text_[i] == ';';
      counts[2] += text_[i] == '\t';
    }
    if (counts[1] > counts[0] && counts[1] >= counts[2]) return ';';
    if (counts[2] > counts[0] && counts[2] > counts[1]) return '\t';
    return ',';
  }
  void Use(char delimiter) { delimiter_ = delimiter; }

  bool AtEnd() const { return pos_ >= text_.size(); }

  // One record; `row` is for messages (0 is the header).
  std::vector<std::string> Record(std::size_t row) {
    std::vector<std::string> fields;
    for (;;) {
      fields.push_back(Field(row, fields.size() + 1));
      if (AtEnd()) break;
      const char c = text_[pos_++];
      if (c == delimiter_) continue;
      if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
      break;  // a line break ends the record
    }
    return fields;
  }

  [[noreturn]] void Fail(std::size_t row, std::size_t column, const std::string& reason) const {
    const std::string where = row == 0 ? " header" : " row " + std::to_string(row);
    throw CsvError(name_ + where + " column " + std::to_string(column) + ": " + reason);
  }

 private:
  std::string Field(std::size_t row, std::size_t column) {
    std::string field;
    if (pos_ < text_.size() && text_[pos_] == '"') {
      for (++pos_;; ++pos_) {
        if (pos_ >= text_.size()) Fail(row, column, "a quoted field is not closed");
        if (text_[pos_] != '"') {
          field += text_[pos_];
        } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
          field += '"';
          ++pos_;
        } else {
          ++pos_;
          break;
        }
      }
      if (!AtEnd() && text_[pos_] != delimiter_ && text_[pos_] != '\r' && text_[pos_] != '\n') {
        Fail(row, column, "text after the closing quote of a quoted field");
      }
    } else {
      while (!AtEnd() && text_[pos_] != delimiter_ && text_[pos_] != '\r' && text_[pos_] != '\n') {
        if (text_[pos_] == '"') Fail(row, column, "a quote inside a field that is not quoted");
        field += text_[pos_++];
      }
    }
    if (!IsValidUtf8(field)) Fail(row, column, "not valid UTF-8");
    return field;
  }

  std::string_view text_;
  const std::string& name_;
  std::size_t pos_ = 0;
  char delimiter_ = ',';
};

bool Blank(const std::vector<std::string>& record) { return record.size() == 1 && record[0].empty(); }

void CheckHeader(Reader& reader, const std::vector<std::string>& header) {
  std::set<std::string> seen;
  for (std::size_t c = 0; c < header.size(); ++c) {
    if (header[c].empty()) reader.Fail(0, c + 1, "a column without a variable name");
    if (!seen.insert(header[c]).second) reader.Fail(0, c + 1, "variable " + header[c] + " named twice");
  }
}

void CheckWidth(const std::vector<std::string>& record, std::size_t columns, const std::string& name, std::size_t row) {
  if (record.size() == columns) return;
  throw CsvError(name + " row " + std::to_string(row) + ": " + std::to_string(record.size()) +
                 (record.size() == 1 ? " field" : " fields") + ", the header has " + std::to_string(columns));
}

}  // namespace

CsvTable ParseCsv(std::string_view text, const std::string& name, char delimiter) {
  Reader reader(text, name);
  CsvTable table;
  if (reader.AtEnd()) throw CsvError(name + ": no header row of variable names");
  table.delimiter = delimiter != 0 ? delimiter : reader.DetectDelimiter();
  reader.Use(table.delimiter);
  table.header = reader.Record(0);
  CheckHeader(reader, table.header);
  for (std::size_t row = 1; !reader.AtEnd(); ++row) {
    std::vector<std::string> record = reader.Record(row);
    if (Blank(record)) {
      --row;  // blank lines are no rows
      continue;
    }
    CheckWidth(record, table.header.size(), name, row);
    table.rows.push_back(std::move(record));
  }
  return table;
}

CsvStream::CsvStream(std::string path, char delimiter) : path_(std::move(path)), delimiter_(delimiter) { Rewind(); }

void CsvStream::Rewind() {
  in_.close();
  in_.clear();
  in_.open(path_, std::ios::binary);
  if (!in_) throw CsvError(path_ + ": cannot read the values (" + std::strerror(errno) + ")");
  buffer_.clear();
  scanned_ = complete_ = consumed_ = 0;
  quoted_ = false;
  row_ = 0;
  Fill();
  if (complete_ == 0) throw CsvError(path_ + ": no header row of variable names");
  Reader reader(std::string_view(buffer_).substr(0, complete_), path_);
  if (delimiter_ == 0) delimiter_ = reader.DetectDelimiter();
  reader.Use(delimiter_);
  header_ = reader.Record(0);
  CheckHeader(reader, header_);
  consumed_ = reader.Consumed(buffer_);
}

// More of the file, up to the last line break outside quotes (or its end):
// what lies before it are whole records. Quotes are counted once per byte.
void CsvStream::Fill() {
  while (consumed_ >= complete_ && in_) {
    buffer_.erase(0, consumed_);
    scanned_ -= consumed_;
    complete_ -= consumed_;
    consumed_ = 0;
    char chunk[1 << 16];
    in_.read(chunk, sizeof chunk);
    buffer_.append(chunk, static_cast<std::size_t>(in_.gcount()));
    for (; scanned_ < buffer_.size(); ++scanned_) {
      if (buffer_[scanned_] == '"') quoted_ = !quoted_;
      if (buffer_[scanned_] == '\n' && !quoted_) complete_ = scanned_ + 1;
    }
    if (!in_) complete_ = buffer_.size();  // the last record may end without a line break
  }
}

bool CsvStream::Next(std::vector<std::string>& fields) {
  for (;;) {
    Fill();
    if (consumed_ >= complete_) return false;
    Reader reader(std::string_view(buffer_).substr(consumed_, complete_ - consumed_), path_, false);
    reader.Use(delimiter_);
    fields = reader.Record(row_ + 1);
    consumed_ += reader.Consumed(std::string_view(buffer_).substr(consumed_));
    if (Blank(fields)) continue;  // blank lines are no rows
    CheckWidth(fields, header_.size(), path_, ++row_);
    return true;
  }
}

}  // namespace velmora::label
