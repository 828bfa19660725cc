#include "label/CsvRows.h"

#include <set>

#include "platform/Utf8Text.h"

namespace velmora::label {
namespace {

class Reader {
 public:
  Reader(std::string_view text, const std::string& name) : text_(text), name_(name) {
    if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
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

}  // namespace

CsvTable ParseCsv(std::string_view text, const std::string& name, char delimiter) {
  Reader reader(text, name);
  CsvTable table;
  if (reader.AtEnd()) throw CsvError(name + ": no header row of variable names");
  table.delimiter = delimiter != 0 ? delimiter : reader.DetectDelimiter();
  reader.Use(table.delimiter);
  table.header = reader.Record(0);
  std::set<std::string> seen;
  for (std::size_t c = 0; c < table.header.size(); ++c) {
    if (table.header[c].empty()) reader.Fail(0, c + 1, "a column without a variable name");
    if (!seen.insert(table.header[c]).second) reader.Fail(0, c + 1, "variable " + table.header[c] + " named twice");
  }
  for (std::size_t row = 1; !reader.AtEnd(); ++row) {
    std::vector<std::string> record = reader.Record(row);
    if (Blank(record)) {
      --row;  // blank lines are no rows
      continue;
    }
    if (record.size() != table.header.size()) {
      throw CsvError(name + " row " + std::to_string(row) + ": " + std::to_string(record.size()) +
                     (record.size() == 1 ? " field" : " fields") + ", the header has " + std::to_string(table.header.size()));
    }
    table.rows.push_back(std::move(record));
  }
  return table;
}

}  // namespace velmora::label
