#pragma once
// Names for the rows of a parameterized table, made from what each row holds,
// so that one row runs alone: --gtest_filter='*/csum_00000012345671'.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace velmora::test {

// `text` as a test name: letters and digits kept, each run of anything else one
// '_' (none at the ends), at most 60 characters; "empty" for nothing.
inline std::string Identifier(const std::string& text) {
  std::string name;
  for (const char c : text.substr(0, 60)) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  if (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "empty" : name;
}

// A name generator for INSTANTIATE_TEST_SUITE_P over `rows`: each row's
// `describe(row)` as an identifier, a second row of the same name numbered "_2".
template <class Row, std::size_t N, class Describe>
auto RowNamer(const Row (&rows)[N], Describe describe) {
  std::vector<std::string> names;
  std::map<std::string, int> seen;
  for (const Row& row : rows) {
    std::string name = Identifier(describe(row));
    if (const int n = ++seen[name]; n > 1) name += "_" + std::to_string(n);
    names.push_back(name);
  }
  return [names](const ::testing::TestParamInfo<Row>& info) { return names[info.index]; };
}

}  // namespace velmora::test
