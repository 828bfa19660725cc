// ZPL's graphic field compression, read back by a decoder of its own.
#include <gtest/gtest.h>

#include <random>

#include "label/ZplLabel.h"
#include "support/ZplDecode.h"

namespace velmora::label {
namespace {

std::string Rows(std::initializer_list<std::string> rows) {
  std::string packed;
  for (const std::string& r : rows) packed += r;
  return packed;
}

TEST(ZplGraphic, CompressedRowsReadBackAsTheyWere) {
  const std::string zeros(4, '\0');
  const std::string ones(4, '\xFF');
  const struct {
    const char* what;
    std::string packed;
    std::string compressed;
  } rows[] = {
      {"a blank row is a comma", zeros, ","},
      {"a row like the one before is a colon", Rows({zeros, zeros}), ",:"},
      {"ones to the end of the row", Rows({std::string("\x0F\xFF\xFF\xFF", 4)}), "0!"},
      {"a run is counted", Rows({std::string("\x00\x00\x01\x00", 4)}), "K01,"},
      {"a full row of ones", Rows({ones}), "NF"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CompressGraphic(row.packed, 4), row.compressed);
    EXPECT_EQ(test::DecompressGraphic(row.compressed, 4, static_cast<int>(row.packed.size())), row.packed);
  }
}

TEST(ZplGraphic, LongAndRandomRowsRoundTrip) {
  std::mt19937 random(7);
  for (const int rowBytes : {1, 3, 125, 260}) {  // runs over 400 hex digits need several count letters
    std::string packed;
    for (int r = 0; r < 40; ++r) {
      std::string row(static_cast<std::size_t>(rowBytes), '\0');
      for (char& b : row) b = static_cast<char>(random() % 4 == 0 ? random() % 256 : (r % 3 == 0 ? 0xFF : 0));
      packed += r % 5 == 4 ? packed.substr(packed.size() - static_cast<std::size_t>(rowBytes)) : row;
    }
    SCOPED_TRACE(rowBytes);
    EXPECT_EQ(test::DecompressGraphic(CompressGraphic(packed, rowBytes), rowBytes, static_cast<int>(packed.size())),
              packed);
  }
}

TEST(ZplLabel, OneFormatWithItsSizeAndCopies) {
  const unsigned char ink[] = {255, 0, 0, 0, 0, 0, 0, 0, 0, 255,  // 10 dots, the first and last black
                               0,   0, 0, 0, 0, 0, 0, 0, 0, 0};
  const std::string zpl = ZplLabel(ink, 10, 2, 10, 3);
  EXPECT_EQ(zpl, "^XA\n^PW10\n^LL2\n^LH0,0\n^FO0,0^GFA,4,4,2,804,,^FS\n^PQ3\n^XZ\n");
}

}  // namespace
}  // namespace velmora::label
