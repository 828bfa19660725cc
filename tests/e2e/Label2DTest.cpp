// velmora-label render with 2D symbols: each kind in each format is scanned
// back by the run itself and again here, from the files it wrote.
#include <gtest/gtest.h>

#include <filesystem>

#include "ProcessFixture.h"
#include "support/PngImage.h"
#include "support/ShippedData.h"
#include "support/ZplDecode.h"
#include "symbol/Gs1Data.h"
#include "symbol/ScanBack.h"
#include "symbol/SymbolChoice.h"

namespace velmora {
namespace {

using test::Outcome;

class Label2DTest : public test::ProcessFixture {
 protected:
  const std::vector<std::string> one = {"--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=AB/C"};
  const symbol::Gs1Data& gs1 = test::ShippedGs1();
  const symbol::Elements elements = symbol::ParseElementString("(01)09506000134352(17)271231(10)AB/C");

  Outcome Render(const std::string& kind, const std::string& out, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {
        "render", Example("label-template.ufo"), "--out", work.Path() + out, "--symbol", kind, "--verify"};
    args.insert(args.end(), one.begin(), one.end());
    args.insert(args.end(), more.begin(), more.end());
    return Run(args);
  }
  // What the label's symbol must scan as: the kind's identifier and content.
  symbol::EncodedSymbol Expected(symbol::SymbolKind kind) const {
    return symbol::EncodeAs(kind, elements, gs1.dictionary);
  }
};

TEST_F(Label2DTest, EveryKindInEveryFormatScansBack) {
  for (const char* kind : {"gs1-datamatrix", "gs1-qr", "dl-qr", "dl-datamatrix"}) {
    for (const char* out : {"png", "l.svg", "l.pdf", "l.zpl"}) {
      SCOPED_TRACE(std::string(kind) + " " + out);
      const Outcome o = Render(kind, std::string(kind) + out);
      EXPECT_EQ(o.status, 0) << o.err;
      EXPECT_NE(o.out.find("1 of 1 labels drawn to"), std::string::npos) << o.out;
      EXPECT_NE(o.out.find(", 1 scanned back equal"), std::string::npos) << o.out;
    }
    SCOPED_TRACE(kind);
    const symbol::EncodedSymbol expected = Expected(*symbol::SymbolNamed(kind));
    const symbol::GreyImage png = test::LoadPngGrey(work.Path() + kind + "png/label-00001.png");
    EXPECT_EQ(symbol::VerifySymbol(png, expected, gs1.dictionary), "");
    const auto zpl = test::DecodeZplLabels(work.Read(std::string(kind) + "l.zpl"));
    ASSERT_EQ(zpl.size(), 1u);
    EXPECT_EQ(symbol::VerifySymbol(zpl[0].image, expected, gs1.dictionary), "");
  }
  EXPECT_EQ(Expected(symbol::SymbolKind::DlQr).uri, "https://id.gs1.org/01/09506000134352/10/AB%2FC?17=271231");
}

TEST_F(Label2DTest, ModuleSizeAndDomainAreTheUsers) {
  const Outcome o = Render("dl-qr", "big", {"--module", "1mm", "--dl-domain", "https://example.com/p", "--dpi", "254"});
  ASSERT_EQ(o.status, 0) << o.err;
  const symbol::GreyImage png = test::LoadPngGrey(work.Path() + "big/label-00001.png");
  symbol::EncodedSymbol expected =
      symbol::EncodeAs(symbol::SymbolKind::DlQr, elements, gs1.dictionary, "https://example.com/p");
  EXPECT_EQ(symbol::VerifySymbol(png, expected, gs1.dictionary), "");
  // 10 dots a module at 254 dpi: the symbol and its 4-module margins at least that wide
  EXPECT_GE(png.width, (expected.Columns() + 8) * 10);
}

// The example with one internal AI (99) in place of its three.
std::string LotOnlyTemplate(const test::TempDir& work) {
  std::string text = work.Read(std::string(VELMORA_SOURCE_DIR) + "/examples/label-template.ufo");
  const auto replace = [&text](const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
  };
  replace(
      "\"{CODE C}{FNC1}01\" & Left(GTIN & \"00000000000000\", 14) & \"17\" & Left(EXPIRY & \"000000\", 6) & \"{CODE "
      "B}10\"",
      "\"{CODE B}{FNC1}99\"");
  replace("\"(01)\" & Left(GTIN & \"00000000000000\", 14) & \"(17)\" & Left(EXPIRY & \"000000\", 6) & \"(10)\"",
          "\"(99)\"");
  return work.Write("lot.ufo", text);
}

// Symbols a scanner reads are scanned back as read: a small Data Matrix in its
// own region of the label, a QR Code with a '%' (which Debian's zxing-cpp cuts
// short) confirmed by a second reader.
TEST_F(Label2DTest, WhatAScannerReadsIsScannedBackInEveryFormat) {
  const std::string lotOnly = LotOnlyTemplate(work);
  const struct {
    std::vector<std::string> args;
  } rows[] = {
      {{lotOnly, "--set", "LOT=A1", "--symbol", "gs1-datamatrix", "--module", "0.254mm"}},  // 10 x 10 modules
      {{Example("label-template.ufo"), "--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A1",
        "--symbol", "gs1-datamatrix", "--module", "0.3mm"}},
      {{Example("label-template.ufo"), "--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A%B",
        "--symbol", "gs1-qr"}},
  };
  for (const auto& row : rows) {
    for (const std::string format : {"png", "svg", "pdf", "zpl"}) {
      SCOPED_TRACE(row.args[2] + " " + row.args.back() + " " + format);
      std::vector<std::string> args = {"render"};
      args.insert(args.end(), row.args.begin(), row.args.end());
      args.insert(args.end(), {"--format", format, "--out", work.Path() + "v." + format, "--verify"});
      const Outcome o = Run(args);
      EXPECT_EQ(o.status, 0) << o.err;
      EXPECT_NE(o.out.find("1 scanned back equal"), std::string::npos) << o.out << o.err;
    }
  }
}

TEST_F(Label2DTest, ElementsWithoutAPrimaryKeyMakeNoDigitalLink) {
  const std::string tpl = LotOnlyTemplate(work);
  const Outcome o = Run({"render", tpl, "--set", "LOT=A1", "--out", work.Path() + "x", "--symbol", "dl-qr"});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("row 1, no GS1 Digital Link URI: no AI here is a GS1 Digital Link primary key"),
            std::string::npos)
      << o.err;
  const Outcome matrix =
      Run({"render", tpl, "--set", "LOT=A1", "--out", work.Path() + "y", "--symbol", "gs1-datamatrix"});
  EXPECT_EQ(matrix.status, 0) << "a GS1 DataMatrix needs no primary key: " << matrix.err;
}

}  // namespace
}  // namespace velmora
