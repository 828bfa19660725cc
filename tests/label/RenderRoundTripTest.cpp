// Labels drawn for a spread of the catalogue's AIs, in each format, read back
// from the files themselves by the scanner: PNG directly, SVG through
// rsvg-convert, PDF pages through pdftoppm.
#include <gtest/gtest.h>

#include "support/ShippedData.h"

#include <filesystem>
#include <sstream>

#include "commands/LabelCommands.h"
#include "support/PngImage.h"
#include "support/TempDir.h"
#include "support/ZplDecode.h"
#include "symbol/Gs1Checks.h"
#include "symbol/Gs1_128Limits.h"
#include "symbol/Samples.h"
#include "symbol/ScanBack.h"

namespace velmora::label {
namespace {

namespace fs = std::filesystem;
using symbol::Elements;

const symbol::Gs1Data& Data() { return test::ShippedGs1(); }

// Every fifth AI of the catalogue, with the AIs its pairing rules ask for, when
// that makes data GS1 accepts.
std::vector<Elements> Spread() {
  std::vector<Elements> spread;
  int n = 0;
  for (const auto& [number, entry] : Data().catalogue) {
    if (n++ % 5 != 0) continue;
    const std::string ai = std::string(number) + (entry.decimalDigit ? "1" : "");
    const symbol::AiSyntax* s = Data().dictionary.Find(ai);
    Elements e = {{ai, symbol::ValidSample(*s)}};
    for (const auto& rule : s->required) {
      for (const std::string_view pattern : rule.front()) {
        std::string other(pattern);
        std::replace(other.begin(), other.end(), 'n', '1');
        const symbol::AiSyntax* o = Data().dictionary.Find(other);
        if (o != nullptr) e.push_back({other, symbol::ValidSample(*o)});
      }
    }
    const bool fits = symbol::Gs1_128Characters(e, Data().dictionary) <= symbol::kMaxGs1_128Characters &&
                      symbol::Gs1_128Length(symbol::EncodeGs1_128(e), 0.4) <= symbol::kMaxGs1_128Millimetres;
    if (fits && symbol::CheckElements(e, Data().dictionary, Data().codes).empty()) spread.push_back(e);
  }
  return spread;
}

std::string Quoted(const std::string& field) {
  std::string q = "\"";
  for (const char c : field) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

class RenderRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    spread = Spread();
    // Each element in a variable of its own, the template putting {FNC1} between
    // them: a value is data, never a field separator.
    constexpr int kFields = 4;
    std::string csv = "TEXT";
    std::string format = "\"{FNC1}\"";
    for (int i = 1; i <= kFields; ++i) {
      csv += ",E" + std::to_string(i);
      format += " & E" + std::to_string(i) + " & \"{FNC1}\"";
    }
    csv += "\n";
    for (const Elements& e : spread) {
      ASSERT_LE(e.size(), static_cast<std::size_t>(kFields));
      csv += Quoted(symbol::HumanReadable(e));
      for (int i = 0; i < kFields; ++i) {
        csv += "," + (i < static_cast<int>(e.size())
                          ? Quoted(e[static_cast<std::size_t>(i)].ai + e[static_cast<std::size_t>(i)].data)
                          : "");
      }
      csv += "\n";
    }
    values = dir.Write("values.csv", csv);
    templatePath =
        dir.Write("128.ufo",
                  "[Objlist]\r\n1=BarCode1\r\n[Barcode1]\r\nSymbology=67\r\nNarrowBarWidth=40\r\nVariable=Variable3\r\n"
                  "[Variable3]\r\nFormat=\"" +
                      format + "\"\r\n[Variable4]\r\nFormat=TEXT\r\n[Text1.1]\r\nVariable=Variable4\r\n");
  }

  int Render(OutputFormat format, const std::string& out) {
    commands::RenderRequest r;
    r.templatePath = templatePath;
    r.valuesFile = values;
    r.options.out = out;
    r.options.format = format;
    r.options.dpi = 200;
    std::ostringstream sink;
    std::ostringstream err;
    const int status = commands::RunRender(r, VELMORA_SHIPPED_DATA_DIR, sink, err);
    EXPECT_EQ(err.str(), "");
    return status;
  }

  void ExpectScansBack(const std::vector<std::string>& pngs) {
    ASSERT_EQ(pngs.size(), spread.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
      SCOPED_TRACE(symbol::HumanReadable(spread[i]));
      const Elements encoded = symbol::EncodeGs1_128(spread[i]).elements;
      EXPECT_EQ(symbol::VerifyScan(test::LoadPngGrey(pngs[i]), encoded, Data().dictionary), "");
    }
  }

  int Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); }

  test::TempDir dir;
  std::vector<Elements> spread;
  std::string values;
  std::string templatePath;
};

TEST_F(RenderRoundTrip, SpreadIsWide) { EXPECT_GE(spread.size(), 30u); }

TEST_F(RenderRoundTrip, Png) {
  ASSERT_EQ(Render(OutputFormat::Png, dir.Path() + "png"), 0);
  std::vector<std::string> files;
  for (std::size_t i = 1; i <= spread.size(); ++i)
    files.push_back(dir.Path() + "png/" + LabelFileName(int(i), OutputFormat::Png, int(spread.size())));
  ExpectScansBack(files);
}

TEST_F(RenderRoundTrip, ZplAtEachPrinterResolution) {
  for (const int dpi : {203, 300, 600}) {
    SCOPED_TRACE(dpi);
    const std::string zpl = dir.Path() + "labels" + std::to_string(dpi) + ".zpl";
    commands::RenderRequest r;
    r.templatePath = templatePath;
    r.valuesFile = values;
    r.options.out = zpl;
    r.options.format = OutputFormat::Zpl;
    r.options.dpi = dpi;
    r.options.copies = 2;
    std::ostringstream sink;
    std::ostringstream err;
    ASSERT_EQ(commands::RunRender(r, VELMORA_SHIPPED_DATA_DIR, sink, err), 0) << err.str();
    const std::vector<test::ZplLabelImage> labels = test::DecodeZplLabels(dir.Read(zpl));
    ASSERT_EQ(labels.size(), spread.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
      SCOPED_TRACE(symbol::HumanReadable(spread[i]));
      EXPECT_EQ(labels[i].copies, 2);
      EXPECT_EQ(symbol::VerifyScan(labels[i].image, symbol::EncodeGs1_128(spread[i]).elements, Data().dictionary), "");
    }
  }
}

TEST_F(RenderRoundTrip, Svg) {
  ASSERT_EQ(Render(OutputFormat::Svg, dir.Path() + "svg"), 0);
  std::vector<std::string> files;
  for (std::size_t i = 1; i <= spread.size(); ++i) {
    const std::string svg = dir.Path() + "svg/" + LabelFileName(int(i), OutputFormat::Svg, int(spread.size()));
    ASSERT_EQ(Shell("rsvg-convert -d 200 -p 200 -b white -o " + svg + ".png " + svg), 0)
        << "rsvg-convert (librsvg2-bin)";
    files.push_back(svg + ".png");
  }
  ExpectScansBack(files);
}

TEST_F(RenderRoundTrip, PdfOnePagePerLabel) {
  const std::string pdf = dir.Path() + "labels.pdf";
  ASSERT_EQ(Render(OutputFormat::Pdf, pdf), 0);
  ASSERT_EQ(Shell("pdftoppm -r 200 -png " + pdf + " " + dir.Path() + "page"), 0) << "pdftoppm (poppler-utils)";
  std::vector<std::string> pages;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    if (entry.path().filename().string().starts_with("page")) pages.push_back(entry.path().string());
  }
  std::sort(pages.begin(), pages.end());
  ExpectScansBack(pages);
}

TEST(LabelFileName, NumberedWideEnoughToSortInOrder) {
  EXPECT_EQ(LabelFileName(17, OutputFormat::Png, 3), "label-00017.png");
  EXPECT_EQ(LabelFileName(10001, OutputFormat::Svg, 100000), "label-010001.svg");
  EXPECT_LT(LabelFileName(99999, OutputFormat::Png, 100000), LabelFileName(100000, OutputFormat::Png, 100000));
}

}  // namespace
}  // namespace velmora::label
