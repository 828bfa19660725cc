// velmora-label check, as a script or a host runs it, on what the wizard wrote.
#include <gtest/gtest.h>

#include <filesystem>

#include "ChildProcess.h"
#include "support/TempDir.h"

namespace velmora {
namespace {

using test::Outcome;

class LabelCheckTest : public ::testing::Test {
 protected:
  Outcome Run(std::vector<std::string> args, const char* exe = VELMORA_LABEL_EXE) {
    args.insert(args.begin(), exe);
    return test::RunToEnd(args, work.Path() + "stderr.txt");
  }
  // The worked example's template, written by the real wizard.
  std::string WorkedExampleTemplate() {
    const std::string examples = std::string(VELMORA_SOURCE_DIR) + "/examples/";
    std::filesystem::copy(examples + "host", work.Path() + "host", std::filesystem::copy_options::recursive);
    const Outcome o = Run({"run", "--doc", examples + "document.json", "--script", examples + "worked-example.script",
                           "--host-dir", work.Path() + "host"},
                          VELMORA_WIZARD_EXE);
    EXPECT_EQ(o.status, 0) << o.err;
    return work.Path() + "host/SYSTEM/128.ufo";
  }
  test::TempDir work;
  test::ScopedEnv user{"USER", "tester"};
};

TEST_F(LabelCheckTest, TheWorkedExampleWithALot) {
  const std::string path = WorkedExampleTemplate();
  const Outcome o = Run({"check", path, "--set", "LOT=ABC123"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "data: {CODE C}{FNC1}0100000012345670{CODE B}10ABC123\nelements: (01)00000012345670(10)ABC123\n");
  const Outcome bad = Run({"check", path, "--set", "LOT=AB#12"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("AI (10) position 3: character '#' is not allowed\n"), std::string::npos) << bad.out;
}

TEST_F(LabelCheckTest, ElementStringsDirectlyAndFromAFile) {
  const Outcome ok = Run({"check", "--elements", "(01)00000012345670(17)261231"});
  EXPECT_EQ(ok.status, 0) << ok.out << ok.err;
  const Outcome month = Run({"check", "--elements", "(01)00000012345670(17)261331"});
  EXPECT_EQ(month.status, 1);
  EXPECT_EQ(month.out, "elements: (01)00000012345670(17)261331\nAI (17) position 3: invalid month '13'\n");
  const std::string file = work.Write("list.txt", "(01)00000012345670\r\n(01)00000012345671\n(01\n");
  const Outcome list = Run({"check", "--elements-file", file});
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.out, file + " line 2: AI (01) position 14: invalid check digit '1', expected '0'\n" + file +
                          " line 3: element string position 1: '(' without its ')'\n3 lines, 2 with findings\n");
}

TEST_F(LabelCheckTest, BadInputIsOneClearLine) {
  const std::string formula = work.Write(
      "f.ufo", "[Objlist]\r\n1=BarCode1\r\n[Barcode1]\r\nSymbology=67\r\nVariable=Variable1\r\n"
               "[Variable1]\r\nFormat=\"{FNC1}10\" & Right(LOT, 2)\r\n[Text1.1]\r\nText1=x\r\n");
  const struct {
    std::vector<std::string> args;
    std::string says;
  } rows[] = {
      {{"check", work.Path() + "none.ufo"}, work.Path() + "none.ufo: no such template"},
      {{"check", formula}, formula + ": [Variable1] Format: formula column 14: unknown function Right"},
      {{"check", "--elements", "(01)123(10"}, "element string position 8: '(' without its ')'"},
      {{"check", "--elements", "(10)A", "--data-dir", work.Path()}, "ID128.inf: cannot read this data file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.back());
    const Outcome o = Run(row.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line";
  }
}

}  // namespace
}  // namespace velmora
