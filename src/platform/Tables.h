#pragma once
// What the program's tables of closed sets (symbol kinds, output formats, a
// printer's conditions) share: finding a row by one of its fields, and naming
// a list of words as a sentence does.
#include <cstddef>
#include <optional>
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

// The row of a closed set's member: every member has its row (the first row
// stands in, never reached, for a value outside the set).
template <class Row, std::size_t N, class Field>
const Row& RowOfMember(const Row (&table)[N], Field Row::*field, const Field& value) {
  const Row* row = RowWhere(table, field, value);
  return row != nullptr ? *row : table[0];
}

// The `key` of the row whose `name` is `wanted`, or nothing.
template <class Row, std::size_t N, class Key>
std::optional<Key> KeyNamed(const Row (&table)[N], const char* Row::*name, Key Row::*key, std::string_view wanted) {
  const Row* row = RowWhere(table, name, wanted);
  return row != nullptr ? std::optional<Key>(row->*key) : std::nullopt;
}

// "a, b or c" with `last` "or"; "a" alone; "" for none.
std::string ListedWords(const std::vector<std::string>& words, std::string_view last);

}  // namespace velmora
