#include <gtest/gtest.h>

#include "render/LabelLayout.h"
#include "render/LabelScene.h"

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

}  // namespace
}  // namespace velmora::render
