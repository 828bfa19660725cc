// The golden labels (golden/labels.tsv, written by scripts/make-golden): each
// drawn again in every format, under two font set-ups of the machine, is its
// golden file to the byte, and the README's images are the golden PNGs.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ProcessFixture.h"

namespace velmora {
namespace {

using GoldenLabelsTest = test::ProcessFixture;

std::vector<std::pair<std::string, std::vector<std::string>>> GoldenRows() {
  std::ifstream table(std::string(VELMORA_SOURCE_DIR) + "/golden/labels.tsv");
  std::vector<std::pair<std::string, std::vector<std::string>>> rows;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line.substr(line.find('\t') + 1));
    std::vector<std::string> args;
    for (std::string word; words >> word;)
      args.push_back(word.starts_with("examples/") ? std::string(VELMORA_SOURCE_DIR) + "/" + word : word);
    rows.emplace_back(line.substr(0, line.find('\t')), args);
  }
  return rows;
}

// Where the first difference is, for files a diff cannot show.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + ", first difference at byte " +
         std::to_string(at);
}

TEST_F(GoldenLabelsTest, EveryFormatIsItsGoldenFileToTheByteWhateverFontsTheMachineHas) {
  // fontconfig offering DejaVu only, and one that prefers another monospace face (when the machine has one)
  const std::string dejavu = work.Write("dejavu.conf",
                                        "<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>"
                                        "<cachedir>" +
                                            work.Path() + "fc1</cachedir></fontconfig>");
  const std::string other = work.Write(
      "other.conf", "<fontconfig><dir>/usr/share/fonts</dir><cachedir>" + work.Path() +
                        "fc2</cachedir><alias binding=\"strong\"><family>monospace</family><prefer><family>Noto Sans "
                        "Mono</family></prefer></alias></fontconfig>");
  const auto rows = GoldenRows();
  ASSERT_EQ(rows.size(), 6u);
  for (const std::string& conf : {dejavu, other}) {
    const test::ScopedEnv fonts("FONTCONFIG_FILE", conf.c_str());
    for (const auto& [name, args] : rows) {
      for (const std::string format : {"svg", "pdf", "png", "pbm", "zpl"}) {
        SCOPED_TRACE(conf + " " + name + "." + format + " (scripts/make-golden writes it anew after a wanted change)");
        std::vector<std::string> render = {"render"};
        render.insert(render.end(), args.begin(), args.end());
        const std::string out = work.Path() + name + "." + format;
        render.insert(render.end(), {"--format", format, "--out", out});
        ASSERT_EQ(Run(render).status, 0);
        const bool folder = format == "svg" || format == "png";
        const std::string drawn = work.Read(folder ? out + "/label-00001." + format : out);
        const std::string golden = work.Read(std::string(VELMORA_SOURCE_DIR) + "/golden/" + name + "." + format);
        if (format == "svg" || format == "zpl") {
          EXPECT_EQ(drawn, golden);
        } else {
          EXPECT_TRUE(drawn == golden) << FirstDifference(drawn, golden);
        }
      }
    }
  }
  const std::pair<const char*, const char*> readme[] = {{"label-example.png", "gs1-128.png"},
                                                        {"label-example-gs1-datamatrix.png", "gs1-datamatrix.png"},
                                                        {"label-example-dl-qr.png", "dl-qr.png"},
                                                        {"label-example-pallet.png", "pallet.png"},
                                                        {"label-example-carton.png", "carton.png"}};
  for (const auto& [image, golden] : readme) {
    EXPECT_TRUE(work.Read(Example(image)) == work.Read(std::string(VELMORA_SOURCE_DIR) + "/golden/" + golden))
        << "the README's " << image << " is not the golden " << golden;
  }
}

// The wizard's preview is the very label velmora-label draws of the template it
// wrote: one layout, one face, to the byte.
TEST_F(GoldenLabelsTest, TheWizardsPreviewIsTheLabelTheHostDraws) {
  const std::string preview = work.Path() + "preview.svg";
  const std::string script =
      "pick 01\nnext\ncheck\nnext\nnext\nnext\ntype 1234567\nnext\nnext\npick 10\nnext\noption 1\nnext\n"
      "combo-pick 0\nnext\npreview " +
      preview + "\ndone\n";
  const std::string label = TemplateFromScript(work.Write("worked.script", script));
  ASSERT_EQ(Run({"render", label, "--samples", "--format", "svg", "--out", work.Path() + "drawn"}).status, 0);
  EXPECT_EQ(work.Read(preview), work.Read(work.Path() + "drawn/label-00001.svg"));
}

}  // namespace
}  // namespace velmora
