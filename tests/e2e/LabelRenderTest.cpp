// velmora-label render and design, run as processes.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include <sys/stat.h>
#include <sys/wait.h>
#include <utime.h>

#include <filesystem>

#include "ProcessFixture.h"
#include "support/PngImage.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using test::Outcome;

using LabelRenderTest = test::ProcessFixture;

TEST_F(LabelRenderTest, TheExampleRowsWithTheirTwoMistakes) {
  const Outcome o = Run({"render", Example("label-template.ufo"), "--values", Example("labels.csv"), "--out",
                         work.Path() + "labels", "--verify"});
  EXPECT_EQ(o.status, 1) << "two rows were not drawn";
  EXPECT_EQ(o.err,
            "row 2, AI (17) position 3: invalid month '13'\n"
            "row 3, AI (01) position 14: invalid check digit '3', expected '2'\n");
  EXPECT_EQ(o.out, "3 of 5 labels drawn to " + work.Path() + "labels, 2 rows rejected, 3 scanned back equal\n");
  for (const char* name : {"label-00001.png", "label-00004.png", "label-00005.png"}) {
    EXPECT_TRUE(fs::exists(work.Path() + "labels/" + name)) << name;
  }
  EXPECT_FALSE(fs::exists(work.Path() + "labels/label-00002.png"));
  for (const auto& entry : fs::directory_iterator(work.Path() + "labels")) {
    EXPECT_EQ(entry.path().extension(), ".png") << "no temporary file is left";
  }
}

// Element strings drawn without a template: one given, or a column of a CSV;
// the checks, the limits and --verify as for a template's labels.
TEST_F(LabelRenderTest, ElementStringsWithoutATemplate) {
  const std::string pallet = "(00)095060000000000015(02)09506000134352(37)48(10)LOT2027A(15)271231";
  const std::string csv = work.Write("e.csv",
                                     "SSCC,GS1\n1,(01)09506000134352(10)A1\n2,[01]09506000134352[10]B2\n"
                                     "3,(01)0950600013435(10)C\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string says;
  } rows[] = {
      {{"--elements", "(01)09506000134352(17)271231(10)ABC123", "--verify"}, 0, "1 scanned back equal"},
      {{"--values", csv, "--elements-column", "GS1", "--ignore-column", "SSCC", "--verify"},
       1,
       "row 3, AI (01) position 14: too short"},
      // one symbol cannot hold it: two, the SSCC alone in the lower
      {{"--elements", pallet, "--verify"}, 0, "1 scanned back equal"},
      {{"--elements", pallet, "--symbol", "gs1-datamatrix", "--verify"}, 0, "1 scanned back equal"},
      {{"--elements", pallet, "--values", csv}, 2, "a CSV's labels take --elements-column NAME"},
      {{"--elements-column", "GS1"}, 2, "names a column of --values"},
  };
  int n = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    std::vector<std::string> args = {"render", "--out", work.Path() + "e" + std::to_string(++n)};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, row.status) << o.err;
    EXPECT_NE((o.out + o.err).find(row.says), std::string::npos) << o.out << o.err;
  }
}

// --rotate turns the label on its image and page: every pixel of a PNG is the
// unturned label's, turned clockwise; SVG and PDF pages swap their sides.
TEST_F(LabelRenderTest, TurnedLabelsAreTheLabelTurned) {
  const std::vector<std::string> one = {"render", "--elements", "(01)09506000134352(17)271231(10)ABC123"};
  const auto render = [&](const std::string& out, std::vector<std::string> more) {
    std::vector<std::string> args = one;
    args.insert(args.end(), {"--out", work.Path() + out});
    args.insert(args.end(), more.begin(), more.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, 0) << o.err;
  };
  render("r0", {});
  const symbol::GreyImage plain = test::LoadPngGrey(work.Path() + "r0/label-00001.png");
  for (const int turn : {90, 180, 270}) {
    SCOPED_TRACE(turn);
    const std::string name = "r" + std::to_string(turn);
    render(name, {"--rotate", std::to_string(turn), "--verify"});
    render(name + ".svg", {"--rotate", std::to_string(turn), "--format", "svg"});
    const symbol::GreyImage turned = test::LoadPngGrey(work.Path() + name + "/label-00001.png");
    const bool quarter = turn != 180;
    ASSERT_EQ(turned.width, quarter ? plain.height : plain.width);
    ASSERT_EQ(turned.height, quarter ? plain.width : plain.height);
    int differ = 0;
    for (int y = 0; y < turned.height; ++y) {
      for (int x = 0; x < turned.width; ++x) {
        const int fromX = turn == 90 ? y : turn == 180 ? plain.width - 1 - x : plain.width - 1 - y;
        const int fromY = turn == 90 ? plain.height - 1 - x : turn == 180 ? plain.height - 1 - y : x;
        differ += turned.pixels[static_cast<std::size_t>(y * turned.width + x)] !=
                  plain.pixels[static_cast<std::size_t>(fromY * plain.width + fromX)];
      }
    }
    EXPECT_EQ(differ, 0);
    const std::string svg = work.Read(name + ".svg/label-00001.svg");
    EXPECT_NE(svg.find(quarter ? R"(width="19.005mm" height="115.4mm")" : R"(width="115.4mm" height="19.005mm")"),
              std::string::npos);
  }
}

TEST_F(LabelRenderTest, EveryLabelOfARunHasOneSize) {
  const std::string csv = work.Write("sizes.csv",
                                     "GTIN,EXPIRY,LOT\n09506000134352,271231,A\n"
                                     "09506000134352,271231,ABCDEFGHIJ\n");
  const Outcome o = Run({"render", Example("label-template.ufo"), "--values", csv, "--out", work.Path() + "svg",
                         "--format", "svg", "--verify"});
  ASSERT_EQ(o.status, 0) << o.err;
  const auto size = [&](const std::string& name) {
    const std::string svg = work.Read("svg/" + name);
    const std::size_t at = svg.find("width=");
    return svg.substr(at, svg.find(" viewBox") - at);
  };
  EXPECT_EQ(size("label-00001.svg"), size("label-00002.svg"));
  const std::string pdf = work.Path() + "sizes.pdf";
  ASSERT_EQ(Run({"render", Example("label-template.ufo"), "--values", csv, "--out", pdf}).status, 0);
  ASSERT_EQ(std::system(("pdfinfo -f 1 -l 2 " + pdf +
                         " | grep -E '^Page +[0-9]+ size:' | sed -E 's/^Page +[0-9]+//' | sort -u | wc -l >" +
                         work.Path() + "pages.txt")
                            .c_str()),
            0);
  EXPECT_EQ(work.Read("pages.txt"), "1\n") << "both pages one size";
}

TEST_F(LabelRenderTest, LabelsOnSheetsOfLabelStock) {
  std::string tpl = work.Read(Example("label-template.ufo"));
  tpl.replace(tpl.find("NarrowBarWidth=40"), 17, "NarrowBarWidth=20");
  tpl.replace(tpl.find("Height=430"), 10, "Height=200");
  const std::string small = work.Write("small.ufo", tpl);
  std::string csv = "GTIN,EXPIRY,LOT\n";
  for (int i = 0; i < 30; ++i) csv += "09506000134352,271231,L" + std::to_string(i) + "\n";
  const std::string values = work.Write("thirty.csv", csv);
  const std::string pdf = work.Path() + "sheets.pdf";
  const Outcome o =
      Run({"render", small, "--values", values, "--out", pdf, "--sheet", "A4", "--grid", "3x8", "--gap", "2mm"});
  ASSERT_EQ(o.status, 0) << o.err;
  ASSERT_EQ(std::system(("pdfinfo " + pdf + " | grep -E '^(Pages|Page size)' >" + work.Path() + "info.txt").c_str()),
            0);
  EXPECT_EQ(work.Read("info.txt"), "Pages:           2\nPage size:       595.276 x 841.89 pts (A4)\n")
      << "30 labels, 24 a sheet";
  const struct {
    std::vector<std::string> args;
    std::string says;
  } rows[] = {
      {{"render", Example("label-template.ufo"), "--values", values, "--out", work.Path() + "big.pdf", "--sheet", "A4",
        "--grid", "3x8"},
       "a grid of 3 x 8 labels of 102.2 x 19.0 mm, 0 mm apart, is 306.6 x 152.0 mm: larger than the 210 x 297 mm "
       "sheet"},
      {{"render", small, "--values", values, "--out", work.Path() + "png", "--sheet", "A4", "--grid", "3x8"},
       "--sheet places labels on the pages of a PDF"},
      {{"render", small, "--values", values, "--out", pdf, "--sheet", "A3", "--grid", "3x8"},
       "--sheet A3: expected A4, A5, Letter or WxHmm"},
      {{"render", small, "--values", values, "--out", pdf, "--sheet", "A4"}, "--sheet and --grid go together"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    const Outcome bad = Run(row.args);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find(row.says), std::string::npos) << bad.err;
  }
}

TEST_F(LabelRenderTest, TheWorkedExampleScansAndReadsAsItShould) {
  ExampleHost();
  test::ChildProcess wizard({VELMORA_WIZARD_EXE, "run", "--doc", Example("document.json"), "--script",
                             Example("worked-example.script"), "--host-dir", work.Path() + "host"},
                            work.Path() + "wizard.txt");
  wizard.CloseInput();
  ASSERT_EQ(wizard.Wait(), 0);
  const std::string pdf = work.Path() + "worked.pdf";
  const Outcome o =
      Run({"render", work.Path() + "host/SYSTEM/128.ufo", "--set", "LOT=ABC123", "--out", pdf, "--verify"});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "1 of 1 labels drawn to " + pdf + ", 1 scanned back equal\n") << "zxing-cpp read what was encoded";
  const std::string text = work.Path() + "worked.txt";
  ASSERT_EQ(std::system(("pdftotext " + pdf + " " + text).c_str()), 0) << "pdftotext (poppler-utils)";
  EXPECT_EQ(work.Read("worked.txt").substr(0, 28), "(01)00000012345670(10)ABC123");
}

TEST_F(LabelRenderTest, OneLabelWithSetValuesAllGood) {
  const Outcome o = Run({"render", Example("label-template.ufo"), "--set", "GTIN=09506000134352", "--set",
                         "EXPIRY=271231", "--set", "LOT=ABC123", "--out", work.Path() + "one.pdf", "--verify"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "1 of 1 labels drawn to " + work.Path() + "one.pdf, 1 scanned back equal\n");
}

TEST_F(LabelRenderTest, BadInputIsOneClearLineAndWritesNothing) {
  const std::string tpl = Example("label-template.ufo");
  const std::string ragged = work.Write("ragged.csv", "GTIN,EXPIRY,LOT\n1,2\n");
  const std::string latin1 = work.Write("latin1.csv", "GTIN,EXPIRY,LOT\n09506000134352,271231,caf\xE9\n");
  const std::string noLot = work.Write("nolot.csv", "GTIN,EXPIRY\n09506000134352,271231\n");
  const std::string file = work.Write("file", "");
  const std::string misspelt = work.Write("misspelt.csv", "GTIN,Expiry_,LOT\n09506000134352,271231,A\n");
  const struct {
    std::vector<std::string> args;
    std::string says;
  } rows[] = {
      {{"render", work.Path() + "none.ufo", "--out", work.Path() + "o"}, work.Path() + "none.ufo: no such template"},
      {{"render", Example("labels.csv"), "--out", work.Path() + "o"}, "labels.csv: not a label template"},
      {{"render", tpl, "--values", ragged, "--out", work.Path() + "o"}, "ragged.csv row 1: 2 fields, the header has 3"},
      {{"render", tpl, "--values", latin1, "--out", work.Path() + "o"}, "latin1.csv row 1 column 3: not valid UTF-8"},
      {{"render", tpl, "--values", noLot, "--out", work.Path() + "o"},
       "nolot.csv: no column for variable LOT, which [Variable4] Format reads"},
      {{"render", tpl, "--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A", "--out",
        file + "/o"},
       file + "/o: cannot make the output folder"},
      {{"render", tpl, "--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A", "--out",
        work.Path() + "no/such/x.pdf"},
       "x.pdf: the folder " + work.Path() + "no/such does not exist"},
      {{"render", tpl, "--samples", "--out", work.Path() + "k.jpg"},
       "k.jpg: labels are written as png or svg (a folder of files) or pdf, zpl or pbm (one file), not as jpg"},
      // every value names a variable a formula reads, every variable read has a value
      {{"render", tpl, "--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LTO=ABC123", "--out",
        work.Path() + "o"},
       "--set LTO: no formula of the template reads a variable LTO (did you mean LOT?)"},
      {{"render", tpl, "--values", misspelt, "--out", work.Path() + "o"},
       "misspelt.csv column Expiry_: no formula of the template reads a variable Expiry_ (did you mean EXPIRY?); "
       "--ignore-column Expiry_ leaves it out on purpose"},
      {{"render", tpl, "--values", misspelt, "--ignore-column", "Note", "--out", work.Path() + "o"},
       "--ignore-column Note: " + misspelt + " has no such column (it has GTIN, Expiry_, LOT)"},
      {{"render", tpl, "--values", Example("labels.csv"), "--ignore-column", "LOT", "--out", work.Path() + "o"},
       "no column for variable LOT, which [Variable4] Format reads"},
      {{"render", tpl, "--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--out", work.Path() + "o"},
       "no value for variable LOT, which [Variable4] Format reads: give --set LOT=VALUE for each, or --samples"},
      {{"check", tpl, "--set", "GTIN=09506000134352"},
       "no value for variable EXPIRY, which [Variable4] Format reads: give --set EXPIRY=VALUE for each, or --samples"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.says);
    const Outcome o = Run(row.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
  }
  EXPECT_FALSE(fs::exists(work.Path() + "o"));
}

TEST_F(LabelRenderTest, AValueIsDataNeverABarcodeControlNorSilentlyPadded) {
  const std::string csv = work.Write("values.csv",
                                     "GTIN,EXPIRY,LOT\n"
                                     "09506000134352,271231,X{FNC1}91ABC\n"
                                     "09506000134352,271231,\"X\x1D"
                                     "91ABC\"\n"
                                     "9506000134352,271231,ABC\n"
                                     "09506000134352,2712,ABC\n"
                                     "095060001343529,271231,ABC\n"
                                     "09506000134352,27123199,ABC\n"
                                     "09506000134352,271231,ABC\n");
  const Outcome o =
      Run({"render", Example("label-template.ufo"), "--values", csv, "--out", work.Path() + "v.svg", "--verify"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "row 1, LOT: '{FNC1}' at character 2 would be read as a barcode control, not data (GS1 allows no such "
            "character in AI data)\n"
            "row 2, LOT: '\\x1D' at character 2 would be read as a barcode control, not data (GS1 allows no such "
            "character in AI data)\n"
            "row 3, GTIN: 13 digits given for a 14-digit GTIN: a GTIN-13 needs a leading 0\n"
            "row 4, EXPIRY: 4 of 6 characters given; the template would add 2 zeros after them\n"
            "row 5, GTIN: 15 characters given; the template keeps 14 and would cut the rest ('9')\n"
            "row 6, EXPIRY: 8 characters given; the template keeps 6 and would cut the rest ('99')\n");
  EXPECT_EQ(o.out, "1 of 7 labels drawn to " + work.Path() + "v.svg, 6 rows rejected, 1 scanned back equal\n");
  const Outcome check = Run({"check", Example("label-template.ufo"), "--set", "GTIN=9506000134352", "--set",
                             "EXPIRY=271231", "--set", "LOT=A"});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.out.find("GTIN: 13 digits given for a 14-digit GTIN: a GTIN-13 needs a leading 0\n"),
            std::string::npos)
      << check.out;
}

TEST_F(LabelRenderTest, SpreadsheetSeparatorsAndAFileWithoutRows) {
  const std::string semicolons = work.Write("eu.csv", "GTIN;EXPIRY;LOT\n09506000134352;271231;\"A;1\"\n");
  const Outcome o = Run({"render", Example("label-template.ufo"), "--values", semicolons, "--out", work.Path() + "eu"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "velmora-label: " + semicolons + ": fields separated by ';'\n");
  const std::string tabs = work.Write("tabs.csv", "GTIN\tEXPIRY\tLOT\n09506000134352\t271231\tA1\n");
  const Outcome t = Run({"render", Example("label-template.ufo"), "--values", tabs, "--out", work.Path() + "tabs"});
  EXPECT_EQ(t.status, 0) << t.err;
  EXPECT_EQ(t.err, "velmora-label: " + tabs + ": fields separated by tabs\n");
  // a column no formula reads, left out on purpose: its values (a marker here) are no data of the label
  const std::string noted = work.Write("noted.csv", "GTIN,EXPIRY,LOT,NOTE\n09506000134352,271231,A1,{FNC1}x\n");
  const Outcome n = Run({"render", Example("label-template.ufo"), "--values", noted, "--ignore-column", "NOTE", "--out",
                         work.Path() + "noted"});
  EXPECT_EQ(n.status, 0) << n.err;
  const std::string header = work.Write("header.csv", "GTIN,EXPIRY,LOT\n");
  const Outcome none =
      Run({"render", Example("label-template.ufo"), "--values", header, "--out", work.Path() + "none"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "velmora-label: " + header + ": no rows, only the header\n");
}

TEST_F(LabelRenderTest, ALabelTooLargeToDrawIsRefusedWithItsSize) {
  const std::string wide = work.Read(Example("label-template.ufo"));
  const std::string big =
      work.Write("big.ufo", std::string(wide).replace(wide.find("NarrowBarWidth=40"), 17, "NarrowBarWidth=1000"));
  const std::string tiny =
      work.Write("tiny.ufo", std::string(wide).replace(wide.find("NarrowBarWidth=40"), 17, "NarrowBarWidth=1"));
  const std::vector<std::string> sets = {"--set", "GTIN=09506000134352", "--set", "EXPIRY=271231",
                                         "--set", "LOT=ABC123"};
  const struct {
    std::string path;
    std::string out;
    std::vector<std::string> more;
    std::string says;
  } rows[] = {
      // GS1-128 itself is 165.10 mm at most: a symbol that long is refused before it is drawn
      {big, "big", {"--dpi", "300"}, "is 2860.0 mm long with its quiet zones at a 10.00 mm module"},
      {big, "big.pdf", {}, "GS1-128 is 165.10 mm at most"},
      {tiny, "tiny.pdf", {"--verify"}, "30173 x 5702 dots at 7620 dpi: more than 32767 dots a side"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.out);
    std::vector<std::string> args = {"render", row.path, "--out", work.Path() + row.out};
    args.insert(args.end(), sets.begin(), sets.end());
    args.insert(args.end(), row.more.begin(), row.more.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, row.says.empty() ? 0 : 1) << o.err;
    if (!row.says.empty()) {
      EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
    }
  }
}

TEST_F(LabelRenderTest, ARerunLeavesNoEarlierOutputBehind) {
  const std::vector<std::string> good = {"--set", "GTIN=09506000134352", "--set", "EXPIRY=271231", "--set", "LOT=A1"};
  const std::vector<std::string> bad = {"--set", "GTIN=09506000134353", "--set", "EXPIRY=271231", "--set", "LOT=A1"};
  for (const std::string out : {"labels", "labels.pdf"}) {
    SCOPED_TRACE(out);
    std::vector<std::string> args = {"render", Example("label-template.ufo"), "--out", work.Path() + out};
    std::vector<std::string> first = args;
    first.insert(first.end(), good.begin(), good.end());
    ASSERT_EQ(Run(first).status, 0);
    if (out == "labels") {
      work.Write("labels/label-00009.png", "earlier");
      work.Write("labels/label-00001.png.velmora-AbC123", "killed");
      ::utime((work.Path() + "labels/label-00001.png.velmora-AbC123").c_str(), nullptr);
    }
    std::vector<std::string> second = args;
    second.insert(second.end(), bad.begin(), bad.end());
    const Outcome o = Run(second);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "0 of 1 labels drawn to " + work.Path() + out + ", 1 row rejected\n");
    if (out == "labels") {
      EXPECT_NE(o.err.find("2 labels of an earlier run removed"), std::string::npos) << o.err;
      EXPECT_TRUE(fs::is_empty(work.Path() + "labels")) << "no label and no temporary of an earlier run";
    } else {
      EXPECT_FALSE(fs::exists(work.Path() + out)) << "the earlier PDF would pass for this run's";
    }
  }
}

TEST_F(LabelRenderTest, AFullDiskIsSaidAsSuch) {
  // a folder on a file system of 16 KB, in a mount namespace of the test's own
  const std::string full = work.Path() + "full";
  fs::create_directory(full);
  if (std::system(("unshare -rm sh -c 'mount -t tmpfs -o size=16k tmpfs " + full + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "no mount namespace here";
  }
  std::string csv = "GTIN,EXPIRY,LOT\n";
  for (int i = 0; i < 40; ++i) csv += "09506000134352,271231,LOT" + std::to_string(i) + "\n";
  const std::string values = work.Write("many.csv", csv);
  const std::string command = "unshare -rm sh -c 'mount -t tmpfs -o size=16k tmpfs " + full + " && exec " +
                              VELMORA_LABEL_EXE + " render " + Example("label-template.ufo") + " --values " + values +
                              " --out " + full + "/labels --format svg' >" + work.Path() + "out.txt 2>" + work.Path() +
                              "err.txt";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
  const std::string out = work.Read("out.txt");
  EXPECT_NE(out.find(" not written (No space left on device)\n"), std::string::npos) << out;
  EXPECT_EQ(out.find("rejected"), std::string::npos) << "no row was refused: the disk is full";
  EXPECT_NE(work.Read("err.txt").find("cannot be written: No space left on device"), std::string::npos);
}

TEST_F(LabelRenderTest, SamplesOnlyWhenAskedAndThenSaid) {
  const Outcome o = Run({"render", Example("label-template.ufo"), "--set", "GTIN=09506000134352", "--set",
                         "EXPIRY=271231", "--samples", "--out", work.Path() + "s.svg"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err,
            "velmora-label: no value for variable LOT: the template's sample '0000000000' is used (--samples)\n");
  const std::string csv = work.Write("two.csv", "GTIN,EXPIRY\n09506000134352,271231\n");
  const Outcome rows =
      Run({"render", Example("label-template.ufo"), "--values", csv, "--samples", "--out", work.Path() + "s2.svg"});
  EXPECT_EQ(rows.status, 0) << rows.err;
  EXPECT_EQ(rows.err,
            "velmora-label: no value for variable LOT: the template's sample '0000000000' is used (--samples)\n");
}

TEST_F(LabelRenderTest, DesignPlaysTheWizardThroughTheProtocolAndRenders) {
  const Outcome o = Run({"design", "--doc", Example("label.json"), "--headless", "--script", Example("label.script"),
                         "--out", work.Path() + "designed", "--verify"});
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string said = "template: not kept (designed in the temporary host directory ";
  ASSERT_EQ(o.out.find(said), 0u) << o.out;
  EXPECT_NE(o.out.find("1 of 1 labels drawn to " + work.Path() + "designed, 1 scanned back equal"), std::string::npos)
      << o.out;
  const std::string host = o.out.substr(said.size(), o.out.find(", removed") - said.size());
  EXPECT_FALSE(fs::exists(host)) << "the temporary host directory is removed: " << host;
  const Outcome kept = Run({"design", "--doc", Example("label.json"), "--headless", "--script", Example("label.script"),
                            "--out", work.Path() + "kept", "--keep-template", work.Path() + "kept.ufo"});
  ASSERT_EQ(kept.status, 0) << kept.err;
  EXPECT_EQ(kept.out.find("template: " + work.Path() + "kept.ufo\n"), 0u) << kept.out;
  EXPECT_NE(work.Read("kept.ufo").find("[Barcode1]"), std::string::npos);
}

TEST_F(LabelRenderTest, DesignSaysAtOnceWhichNameATemplateCannotCarry) {
  const std::string doc = work.Write("names.json",
                                     "{\"variables\":[{\"name\":\"A & B\",\"kind\":5},"
                                     "{\"name\":\"LOGO\",\"kind\":2},{\"name\":\"OK_1\",\"kind\":6}],"
                                     "\"number\":1}");
  const std::string cancel = work.Write("cancel.script", "cancel\n");
  const Outcome o = Run({"design", "--doc", doc, "--headless", "--script", cancel, "--out", work.Path() + "n"});
  EXPECT_EQ(o.err.find("velmora-label: " + doc +
                       ": the variable name 'A & B' cannot be carried by a template's formula "
                       "(' '); a label that uses it cannot be drawn\n"),
            0u)
      << o.err;
  EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 2) << "one name, then the cancel: " << o.err;
}

TEST_F(LabelRenderTest, DesignWithoutADisplaySaysWhatItNeeds) {
  const test::ScopedEnv noDisplay("DISPLAY", nullptr);
  const test::ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
  const test::ScopedEnv noPlatform("QT_QPA_PLATFORM", nullptr);
  const Outcome o = Run({"design", "--doc", Example("label.json"), "--out", work.Path() + "w"});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err,
            "velmora-label: design: no display to open the wizard's window on (DISPLAY is not set); give "
            "--headless --script FILE to play the user from a script\n");
}

TEST_F(LabelRenderTest, AWizardThatHangsIsStoppedWithAMessage) {
  const std::string silent = work.Write("silent.sh", "#!/bin/sh\nexec sleep 30\n");
  const std::string lingering =
      work.Write("lingering.sh",
                 "#!/bin/sh\nread line\necho '{\"jsonrpc\":\"2.0\",\"id\":\"connect\",\"result\":false}'\n"
                 "trap '' TERM\nexec sleep 30\n");
  ASSERT_EQ(::chmod(silent.c_str(), 0755), 0);
  ASSERT_EQ(::chmod(lingering.c_str(), 0755), 0);
  const auto design = [&](const std::string& wizard, std::vector<std::string> extra) {
    const test::ScopedEnv program("VELMORA_WIZARD", wizard.c_str());
    std::vector<std::string> args = {"design",     "--doc",          Example("label.json"),
                                     "--headless", "--script",       Example("label.script"),
                                     "--out",      work.Path() + "d"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  };
  const Outcome hung = design(silent, {"--timeout", "1"});
  EXPECT_EQ(hung.status, 2);
  EXPECT_NE(hung.err.find("the wizard sent nothing for 1 s; it was stopped"), std::string::npos) << hung.err;
  const Outcome stays = design(lingering, {"--timeout", "1"});
  EXPECT_EQ(stays.status, 1) << "it imported nothing";
  EXPECT_NE(stays.err.find("the wizard did not end within 1 s of its release; it was stopped"), std::string::npos)
      << stays.err;
}

TEST_F(LabelRenderTest, AWizardThatFailsOrEndsIsAClearError) {
  // a script that stops the wizard's run: the wizard answers Connect with no template
  const std::string cancel = work.Write("cancel.script", "cancel\n");
  const Outcome cancelled =
      Run({"design", "--doc", Example("label.json"), "--headless", "--script", cancel, "--out", work.Path() + "c"});
  EXPECT_EQ(cancelled.status, 1);
  EXPECT_NE(cancelled.err.find("the wizard wrote no template: it was cancelled"), std::string::npos) << cancelled.err;
  // a host directory where no template can be written: the reason, not a cancel
  const std::string file = work.Write("a-file", "");
  fs::create_directories(work.Path() + "ro/SYSTEM");
  const std::string stale = work.Write("ro/SYSTEM/128.ufo", "[Objlist]\r\n");
  ASSERT_EQ(::chmod(stale.c_str(), 0444), 0);
  const struct {
    std::string hostDir;
    std::string says;
  } hosts[] = {
      {work.Path() + "missing", "the wizard wrote no template at " + work.Path() +
                                    "missing/SYSTEM/128.ufo: the folder " + work.Path() +
                                    "missing/SYSTEM does not exist"},
      {file, "the wizard wrote no template at " + file + "/SYSTEM/128.ufo: " + file + " is not a folder"},
      {work.Path() + "ro", "the wizard wrote no template at " + stale + ": the file is read-only"},
  };
  for (const auto& h : hosts) {
    SCOPED_TRACE(h.hostDir);
    const Outcome o = Run({"design", "--doc", Example("label.json"), "--headless", "--script", Example("label.script"),
                           "--out", work.Path() + "h", "--host-dir", h.hostDir});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(h.says), std::string::npos) << o.err;
  }
  // a script line the wizard refuses ends the wizard mid-run
  const std::string bad = work.Write("bad.script", "fly\n");
  const Outcome ended =
      Run({"design", "--doc", Example("label.json"), "--headless", "--script", bad, "--out", work.Path() + "e"});
  EXPECT_EQ(ended.status, 2);
  EXPECT_NE(ended.err.find("the wizard ended before it answered Connect (it ended with status 2)"), std::string::npos)
      << ended.err;
}

// A run declares only the groups of options its line names: each option the
// help lists is still known when it is named alone.
TEST_F(LabelRenderTest, EveryOptionTheHelpListsIsKnownNamedAlone) {
  for (const char* command : {"render", "print", "design"}) {
    const std::string help = Run({command, "--help"}).out;
    const std::regex option("--[a-z][a-z-]+");
    std::set<std::string> names;
    for (auto at = std::sregex_iterator(help.begin(), help.end(), option); at != std::sregex_iterator(); ++at) {
      names.insert(at->str());
    }
    EXPECT_GT(names.size(), 12u) << help;
    for (const std::string& name : names) {
      const Outcome o = Run({command, name});
      EXPECT_EQ(o.err.find("unknown option"), std::string::npos) << command << " " << name << ": " << o.err;
    }
  }
}

// Rows are read, drawn and written batch by batch: ten times the rows take the
// same memory.
TEST_F(LabelRenderTest, ARunsMemoryDoesNotGrowWithItsRows) {
  const auto peak = [&](int rows) {
    std::string csv = "GTIN,EXPIRY,LOT\n";
    for (int i = 0; i < rows; ++i) csv += "09506000134352,271231,L" + std::to_string(i) + "\n";
    const std::string values = work.Write("rows" + std::to_string(rows) + ".csv", csv);
    test::ChildProcess run({VELMORA_LABEL_EXE, "render", Example("label-template.ufo"), "--values", values, "--out",
                            work.Path() + "svg" + std::to_string(rows), "--format", "svg"},
                           work.Path() + "err.txt");
    run.CloseInput();
    for (std::string line; run.ReadLine(line);) {
    }
    EXPECT_EQ(run.Wait(), 0) << work.Read("err.txt");
    return run.PeakKilobytes();
  };
  const long few = peak(2000);
  const long many = peak(20000);
  EXPECT_LT(many - few, 6 * 1024) << "peak RSS " << few << " KB for 2,000 rows, " << many << " KB for 20,000";
}

}  // namespace
}  // namespace velmora
