#include <gtest/gtest.h>

#include "label/CsvRows.h"

namespace velmora::label {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(CsvRows, ReadsRfc4180) {
  const struct {
    const char* what;
    std::string text;
    std::vector<std::string> header;
    Rows rows;
  } cases[] = {
      {"plain, LF", "A,B\n1,2\n3,4\n", {"A", "B"}, {{"1", "2"}, {"3", "4"}}},
      {"CRLF, no final break", "A,B\r\n1,2\r\n3,4", {"A", "B"}, {{"1", "2"}, {"3", "4"}}},
      {"quoted comma, quote and line break",
       "A,B\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\nlines\",\n",
       {"A", "B"},
       {{"x,y", "say \"hi\""}, {"two\nlines", ""}}},
      {"empty fields", "A,B,C\n,,\n", {"A", "B", "C"}, {{"", "", ""}}},
      {"byte-order mark and UTF-8", "\xEF\xBB\xBFLOT\ncaf\xC3\xA9\n", {"LOT"}, {{"caf\xC3\xA9"}}},
      {"blank lines are no rows", "A,B\n\n1,2\n\n", {"A", "B"}, {{"1", "2"}}},
      {"header only", "A\n", {"A"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CsvTable t = ParseCsv(c.text, "v.csv");
    EXPECT_EQ(t.header, c.header);
    EXPECT_EQ(t.rows, c.rows);
  }
}

TEST(CsvRows, TheSeparatorIsFoundFromTheHeader) {
  const struct {
    std::string text;
    char delimiter;
    std::vector<std::string> row;
  } cases[] = {
      {"GTIN,LOT\n095,A;B\n", ',', {"095", "A;B"}},
      {"GTIN;LOT\n095;\"A,B\"\n", ';', {"095", "A,B"}},
      {"GTIN\tLOT\n095\tA,B;C\n", '\t', {"095", "A,B;C"}},
      {"\"G;T,IN\";LOT\n095;A\n", ';', {"095", "A"}},  // separators inside quotes do not count
      {"GTIN\n095\n", ',', {"095"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const CsvTable t = ParseCsv(c.text, "v.csv");
    EXPECT_EQ(t.delimiter, c.delimiter);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0], c.row);
  }
  EXPECT_EQ(ParseCsv("A;B,C;D\n1;2,3;4\n", "v.csv", ',').rows[0], (std::vector<std::string>{"1;2", "3;4"}))
      << "as given";
}

TEST(CsvRows, BadFilesSayRowAndColumn) {
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {"", "v.csv: no header row of variable names"},
      {"A,B\n1,2\n1,2,3\n", "v.csv row 2: 3 fields, the header has 2"},
      {"A,B\n1\n", "v.csv row 1: 1 field, the header has 2"},
      {"A,B\n1,\"open\n", "v.csv row 1 column 2: a quoted field is not closed"},
      {"A,B\n\"x\"y,2\n", "v.csv row 1 column 1: text after the closing quote of a quoted field"},
      {"A,B\n1,x\"y\n", "v.csv row 1 column 2: a quote inside a field that is not quoted"},
      {"A,B\n1,caf\xE9\n", "v.csv row 1 column 2: not valid UTF-8"},
      {"A,A\n", "v.csv header column 2: variable A named twice"},
      {"A,,C\n", "v.csv header column 2: a column without a variable name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseCsv(c.text, "v.csv");
      ADD_FAILURE() << "no error";
    } catch (const CsvError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace velmora::label
