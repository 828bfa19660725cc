#pragma once
// The rows of a values file: RFC 4180 CSV in UTF-8, a header row of variable
// names, then one row per label.
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::label {

// What is wrong and where: "values.csv row 3 column 2: ...".
class CsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CsvTable {
  char delimiter = ',';
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;  // each as long as the header
};

// `name` is used in messages. Rows count from 1 after the header. The fields
// are separated by `delimiter`, or (0) by what the header line holds most of:
// comma, semicolon or tab.
CsvTable ParseCsv(std::string_view text, const std::string& name, char delimiter = 0);

// The same file read record by record, as often as asked: a run of a million
// rows holds one buffer of the file, not the file. The header is read and
// checked at once; Next throws CsvError where a record is malformed.
class CsvStream {
 public:
  CsvStream(std::string path, char delimiter = 0);
  char Delimiter() const { return delimiter_; }
  const std::vector<std::string>& Header() const { return header_; }
  // The next row's fields (blank lines skipped); false at the end.
  bool Next(std::vector<std::string>& fields);
  std::size_t Row() const { return row_; }  // of the last row read, from 1
  void Rewind();                            // back to the first row

 private:
  void Fill();
  std::string path_;
  char delimiter_;
  std::ifstream in_;
  std::string buffer_;
  std::size_t scanned_ = 0;   // of buffer_, counted for quotes
  std::size_t complete_ = 0;  // end of the whole records in buffer_
  std::size_t consumed_ = 0;  // records already read
  bool quoted_ = false;       // inside quotes at scanned_
  std::vector<std::string> header_;
  std::size_t row_ = 0;
};

}  // namespace velmora::label
