#include <gtest/gtest.h>

#include "render/LabelLayout.h"
#include "render/LabelScene.h"
#include "render/LogisticLayout.h"

namespace velmora::render {
namespace {

// A font whose every character is 2 mm wide and 5 mm tall.
TextSize Fixed(const std::string& text) { return {2.0 * static_cast<double>(text.size()), 5.0}; }

TEST(LabelLayout, TheTemplatesPlacesPlusTheQuietZones) {
  const TemplateGeometry g;  // the wizard's template: X 0.4 mm, bars at 0.5/0.5 mm, 12 mm high
  const LabelLayout l = LayOut(g, 200, "(10)A", Fixed);
  EXPECT_DOUBLE_EQ(l.module, 0.4);
  EXPECT_DOUBLE_EQ(l.barsLeft, 4.0 + 0.5) << "10 X of quiet zone, then the template's origin";
  EXPECT_DOUBLE_EQ(l.barsTop, 0.5);
  EXPECT_DOUBLE_EQ(l.barsHeight, 12.0);
  EXPECT_DOUBLE_EQ(l.textLeft, 4.0 + 1.0);
  EXPECT_DOUBLE_EQ(l.textTop, 13.5);
  EXPECT_DOUBLE_EQ(l.width, 4.5 + 200 * 0.4 + 4.5) << "the bars, and the right margin as the left one";
  EXPECT_DOUBLE_EQ(l.height, 13.5 + 5.0 + 0.5) << "the text's height, and the top margin again below";
}

TEST(LabelLayout, ALongTextWidensTheLabel) {
  const LabelLayout l = LayOut(TemplateGeometry{}, 20, std::string(50, 'x'), Fixed);
  EXPECT_DOUBLE_EQ(l.width, 5.0 + 100.0 + 5.0);
}

// Kept to a width (the stock's), the text breaks before an AI, never before a
// '(' of the data ("\("), a piece wider alone on a line alone.
TEST(LabelLayout, TheTextWrapsBeforeAnAiToAWidth) {
  const std::string text = "(01)12345678(10)A\\(B(21)C";
  EXPECT_EQ(LayOut(TemplateGeometry{}, 20, text, Fixed).lines, std::vector<std::string>{text}) << "no width: one line";
  const LabelLayout l = LayOut(TemplateGeometry{}, 20, text, Fixed, 40);
  EXPECT_EQ(l.lines, (std::vector<std::string>{"(01)12345678", "(10)A\\(B(21)C"}));
  EXPECT_DOUBLE_EQ(l.width, 5.0 + 26.0 + 5.0);
  EXPECT_DOUBLE_EQ(l.height, 13.5 + 2 * 5.0 + 0.5);
}

TEST(LabelLayout, FittedToTheRunsSizeWithTheContentCentred) {
  const LabelLayout before = LayOut(TemplateGeometry{}, 200, "(10)A", Fixed);
  LabelScene scene = OneSymbolScene(before, {}, TemplateGeometry{});
  scene.texts.push_back({1, 2, 3, false, "x"});
  FitToSize(scene, before.width + 10, before.height + 4);
  const LabelLayout& l = scene.symbols[0].layout;
  EXPECT_DOUBLE_EQ(scene.width, before.width + 10);
  EXPECT_DOUBLE_EQ(scene.height, before.height + 4);
  EXPECT_DOUBLE_EQ(l.barsLeft, before.barsLeft + 5);
  EXPECT_DOUBLE_EQ(l.textLeft, before.textLeft + 5);
  EXPECT_DOUBLE_EQ(l.barsTop, before.barsTop + 2);
  EXPECT_DOUBLE_EQ(l.textBaseline, before.textBaseline + 2);
  EXPECT_DOUBLE_EQ(scene.texts[0].x, 6);
  EXPECT_DOUBLE_EQ(scene.texts[0].baseline, 4);
  FitToSize(scene, 1, 1);
  EXPECT_DOUBLE_EQ(scene.width, before.width + 10) << "never smaller than its content";
}

TEST(LabelLayout, NoTextNoParagraph) {
  const LabelLayout l = LayOut(TemplateGeometry{}, 100, "", Fixed);
  EXPECT_DOUBLE_EQ(l.height, 12.5 + 0.5);
}

// The logistics label: sections top to bottom within the edges, values 7 mm,
// the text under a symbol 3.5 mm, the symbols down to the bottom edge in the
// order given, the bars sharing the height left.
TEST(LogisticLayout, SectionsTopToBottomWithinTheStock) {
  LogisticContent c;
  c.freeText = {"FROM", "TO"};
  c.fields = {{"SSCC", "095060000000000015"}, {"COUNT", "48"}, {"BATCH/LOT", "L1"}};
  for (const int columns : {170, 120}) {
    symbol::EncodedSymbol s;
    s.modules.assign(static_cast<std::size_t>(columns), true);
    c.symbols.push_back(s);
    c.symbolTexts.push_back("(00)1");
  }
  const FaceMeasure measure = [](const std::string& t, double size, bool) {
    return TextSize{0.5 * size * static_cast<double>(t.size()), size, 0.8 * size};
  };
  const LabelScene scene = LayOutLogisticLabel(c, {105, 148, 0.5, 0.75, 0}, measure);
  ASSERT_EQ(scene.texts.size(), 2u + 2 * 3u);
  EXPECT_EQ(scene.rules.size(), 2u);
  EXPECT_DOUBLE_EQ(scene.texts[3].size, 7) << "SSCC's value";
  EXPECT_GT(scene.texts[4].baseline, scene.texts[3].baseline) << "COUNT and BATCH/LOT share the next row";
  EXPECT_DOUBLE_EQ(scene.texts[4].baseline, scene.texts[6].baseline);
  ASSERT_EQ(scene.symbols.size(), 2u);
  const LabelLayout& upper = scene.symbols[0].layout;
  const LabelLayout& lowest = scene.symbols[1].layout;
  EXPECT_EQ(scene.symbols[1].symbol.Columns(), 120) << "the last given is the lowest";
  EXPECT_DOUBLE_EQ(lowest.textTop + lowest.lineHeight, 148 - 3) << "down to the bottom edge";
  EXPECT_DOUBLE_EQ(lowest.fontHeight, 3.5);
  EXPECT_DOUBLE_EQ(upper.barsHeight, lowest.barsHeight);
  EXPECT_GT(upper.barsTop, scene.rules[1].y);
  EXPECT_DOUBLE_EQ(upper.barsLeft, 3 + 10 * 0.5) << "the edge, then the quiet zone";
  c.freeText.assign(20, "FROM");
  EXPECT_THROW(LayOutLogisticLabel(c, {105, 148, 0.5, 0.75, 0}, measure), LogisticFitError);
}

}  // namespace
}  // namespace velmora::render
