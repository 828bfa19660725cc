#pragma once
// The rows of a values file: RFC 4180 CSV in UTF-8, a header row of variable
// names, then one row per label.
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

}  // namespace velmora::label
