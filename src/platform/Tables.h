#pragma once
// What the program's tables of closed sets (symbol kinds, output formats, a
// printer's conditions) share: finding a row by one of its fields, and naming
// a list of words as a sentence does.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The row of `table` whose `field` equals `value`, or nullptr.
template <class Row, std::size_t N, class Field, class Value>
const Row* RowWhere(const Row (&table)[N], Field Row::*field, const Value& value) {
  for (const Row& row : table) {
    if (row.*field == value) return &row;
  }
  return nullptr;
}

// "a, b or c" with `last` "or"; "a" alone; "" for none.
std::string ListedWords(const std::vector<std::string>& words, std::string_view last);

}  // namespace velmora
