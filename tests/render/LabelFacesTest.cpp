// The label's faces, read from their files: text measured by its characters
// (not its bytes) in the face that draws it, and outlined for SVG.
#include <gtest/gtest.h>

#include "platform/Utf8Text.h"
#include "render/LabelFaces.h"

namespace velmora::render {
namespace {

TEST(LabelFacesTest, TextIsMeasuredByItsCharactersInTheFaceThatDrawsIt) {
  TemplateGeometry fixed;
  TemplateGeometry proportional;
  proportional.fixedPitch = false;
  const struct {
    const TemplateGeometry& g;
    std::string a;
    std::string b;
    bool sameWidth;
  } rows[] = {
      {fixed, "(10)LÖT", "(10)LOT", true},  // two bytes, one character of the same advance
      {fixed, "iii", "WWW", true},
      {proportional, "iii", "WWW", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.a + " / " + row.b);
    const TextSize a = MeasureLabelText(row.g, row.a);
    const TextSize b = MeasureLabelText(row.g, row.b);
    EXPECT_EQ(a.width == b.width, row.sameWidth) << a.width << " " << b.width;
    EXPECT_EQ(a.height, b.height);
  }
  // DejaVu Sans Mono: 1233 units of 2048 an em, at the template's 4.3 mm
  EXPECT_NEAR(MeasureLabelText(fixed, "0123456789").width, 10 * 1233.0 / 2048 * 4.3, 1e-9);
  EXPECT_NE(LabelFace::For(true).GlyphOutline(U'Ö').find('M'), std::string::npos);
  EXPECT_EQ(LabelFace::For(true).GlyphOutline(U' '), "");
}

// The build's tables of the faces stand in for FreeType only as its exact
// equal: every character they hold, measured and outlined both ways.
TEST(LabelFacesTest, TheFaceTablesAreWhatFreeTypeReadsFromTheFiles) {
  for (const FaceFile& file : kFaceFiles) {
    SCOPED_TRACE(file.path);
    const LabelFace& tabled = LabelFace::For(file.fixedPitch);
    ASSERT_TRUE(tabled.Tabled()) << "the build's tables were made from another file";
    const auto plain = LabelFace::WithoutTable(file);
    std::vector<std::string> texts = {"(01)09506000134352(17)271231(10)ABC123"};
    for (char32_t c = 0x20; c < 0x180; ++c) {
      if (c < 0x7F || c >= 0xA0) texts.push_back(EncodeCodePoint(c));
    }
    for (const std::string& text : texts) {
      EXPECT_EQ(tabled.Measure(text, 4.3).width, plain->Measure(text, 4.3).width) << text;
      const auto a = tabled.Pens(text, 1.5, 4.3);
      const auto b = plain->Pens(text, 1.5, 4.3);
      ASSERT_EQ(a.size(), b.size()) << text;
      for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].x, b[i].x) << text;
        EXPECT_EQ(tabled.GlyphOutline(a[i].codePoint), plain->GlyphOutline(b[i].codePoint)) << text;
      }
    }
  }
}

}  // namespace
}  // namespace velmora::render
