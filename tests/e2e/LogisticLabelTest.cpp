// The GS1 logistics label, rendered and printed, scanned back by zxing-cpp
// band by band: its symbols together carry every AI once, the SSCC's lowest.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "ProcessFixture.h"
#include "support/FakePrinters.h"
#include "support/PngImage.h"
#include "support/ShippedData.h"
#include "support/ZplDecode.h"
#include "symbol/Elements.h"
#include "symbol/Gs1_128Split.h"
#include "symbol/ScanBack.h"

namespace velmora {
namespace {

using test::Outcome;

constexpr const char* kPallet = "(00)095060000000000015(02)09506000134352(37)48(10)LOT2027A(15)271231";

// What zxing reads in bands of the label from top to bottom, each symbol once, in order.
std::vector<symbol::Elements> SymbolsTopToBottom(const symbol::GreyImage& image) {
  std::vector<symbol::Elements> found;
  std::string last;
  for (int top = 0; top + 40 <= image.height; top += 20) {
    symbol::GreyImage band{image.width, 40, {}};
    band.pixels.assign(image.pixels.begin() + static_cast<std::ptrdiff_t>(top) * image.width,
                       image.pixels.begin() + static_cast<std::ptrdiff_t>(top + 40) * image.width);
    const symbol::ScanResult scan = symbol::ScanSymbol(band, symbol::Symbology::Code128);
    if (!scan.found || scan.text == last) continue;
    last = scan.text;
    found.push_back(symbol::ElementsOfScan(scan, test::ShippedGs1().dictionary));
  }
  return found;
}

void ExpectThePalletOnce(const std::vector<symbol::Elements>& symbols) {
  ASSERT_FALSE(symbols.empty());
  EXPECT_EQ(symbol::CarriedOnce(symbol::ParseElementString(kPallet), symbols), "");
  EXPECT_EQ(symbol::HumanReadable(symbols.back()), "(00)095060000000000015") << "the SSCC alone, lowest";
}

class LogisticLabelTest : public test::ProcessFixture {};

TEST_F(LogisticLabelTest, ThePalletLabelOnFourBySixInches) {
  const std::vector<std::string> label = {"--elements", kPallet, "--layout", "gs1-logistic", "--media", "4x6in"};
  std::vector<std::string> png = {"render", "--dpi", "203", "--out", work.Path() + "png", "--verify"};
  png.insert(png.end(), label.begin(), label.end());
  const Outcome o = Run(png);
  ASSERT_EQ(o.status, 0) << o.err;
  const symbol::GreyImage image = test::LoadPngGrey(work.Path() + "png/label-00001.png");
  EXPECT_EQ(image.width, 812);
  EXPECT_EQ(image.height, 1218);
  ExpectThePalletOnce(SymbolsTopToBottom(image));

  std::vector<std::string> pdf = {"render", "--out", work.Path() + "pallet.pdf"};
  pdf.insert(pdf.end(), label.begin(), label.end());
  ASSERT_EQ(Run(pdf).status, 0);
  ASSERT_EQ(std::system(("pdftotext " + work.Path() + "pallet.pdf " + work.Path() + "pallet.txt").c_str()), 0);
  const std::string text = work.Read("pallet.txt");
  for (const char* title : {"SSCC", "CONTENT", "COUNT", "BATCH/LOT", "BEST BEFORE or BEST BY (dd.mm.yy)", "31.12.27"}) {
    EXPECT_NE(text.find(title), std::string::npos) << title << " in\n" << text;
  }
}

// On 102 x 152 mm stock at 203 dpi, as the logistics label and as the element string alone.
TEST_F(LogisticLabelTest, ThePalletLabelPrintsAndScansBack) {
  for (const std::vector<std::string>& layout : {std::vector<std::string>{"--layout", "gs1-logistic"}, {}}) {
    test::FakeLabelPrinter printer(test::RawBehaviour().Answering(test::HostStatusAnswer(false, false, 0)));
    std::vector<std::string> args = {"print",   "--elements", kPallet, "--printer", printer.Uri(),
                                     "--media", "102x152mm",  "--dpi", "203",       "--verify"};
    args.insert(args.end(), layout.begin(), layout.end());
    const Outcome o = Run(args);
    ASSERT_EQ(o.status, 0) << o.err;
    const std::vector<test::ZplLabelImage> labels = test::DecodeZplLabels(printer.Held());
    ASSERT_EQ(labels.size(), 1u);
    ExpectThePalletOnce(SymbolsTopToBottom(labels[0].image));
  }
}

// What keeps a logistics label from its stock is said, with what would make it fit.
TEST_F(LogisticLabelTest, ALabelThatCannotBeMadeSaysWhy) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string says;
  } rows[] = {
      {{"--media", "60x40mm"}, 1, "AI (02) alone makes a GS1-128 symbol longer than 54.0 mm at a 0.50 mm module"},
      {{"--text", "A", "--text", "B", "--text", "C", "--text", "D", "--text", "E", "--text", "F", "--text", "G"},
       1,
       "more height than the 105 x 148 mm stock has"},
      {{"--text-size", "2"}, 1, "the text under a logistics label's symbol is at least 3 mm high"},
      {{"--media", "4x6"}, 2, "--media 4x6: expected A6, A5, WxHin (4x6in) or WxHmm (100x50mm)"},
      {{"--text-file", "/nonexistent/from-to.txt"}, 2, "--text-file /nonexistent/from-to.txt: cannot be read"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    std::vector<std::string> args = {"render",       "--elements", kPallet,          "--layout",
                                     "gs1-logistic", "--out",      work.Path() + "x"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, row.status);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
  }
  const Outcome plain = Run({"render", "--elements", kPallet, "--text", "FROM", "--out", work.Path() + "y"});
  EXPECT_EQ(plain.status, 2);
  EXPECT_NE(plain.err.find("give --layout gs1-logistic"), std::string::npos) << plain.err;
}

}  // namespace
}  // namespace velmora
