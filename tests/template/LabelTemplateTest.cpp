#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "ids/CatalogueFixture.h"
#include "label/TemplateReader.h"
#include "platform/MessageBox.h"
#include "support/FixedRandom.h"
#include "template/LabelTemplate.h"
#include "template/VariableNames.h"

namespace velmora {
namespace {

using test::FixedRandom;

class Window : public HideableWindow {
 public:
  void Hide() override { ++hides; }
  int hides = 0;
};

const std::string kFixedSections =
    "[General]\r\nVersion=1.0\r\nIdentification=32320\r\n"
    "[Objlist]\r\n1=BarCode1\r\n2=Paragraph1\r\n3=Font1\r\n"
    "[Font1]\r\nFaceName=toto\r\nHeight=430\r\nRotation=0\r\nDevice=1\r\nFixedPitch=1\r\nFamily=16\r\n"
    "[Barcode1]\r\nxOrigin=50\r\nyOrigin=50\r\nAnchorPoint=17\r\nRotation=0\r\nNonPrintable=0\r\nColor=0,0,0\r\n"
    "Symbology=67\r\nDevice=1\r\nHeight=1200\r\nNarrowBarWidth=40\r\nGap1=1\r\nRatio=0\r\nCheck=1\r\n"
    "HumanReadable=0\r\nCheckInHR=1\r\nHRAlign=2\r\nOptions=1\r\n";
const std::string kParagraph =
    "[Paragraph1]\r\nxOrigin =100\r\nyOrigin =1350\r\nAnchorPoint =17\r\nRotation =0\r\nNonPrintable =0\r\n"
    "Color =0, 0, 0\r\nAlignment =0\r\nLineHeight% =100\r\n";

// The expected file: the fixed sections with `barcodeKey` as the 18th key of
// "Barcode1", then `rest`.
std::string Expected(const std::string& barcodeKey, const std::string& rest) {
  return kFixedSections + barcodeKey + "\r\n" + kParagraph + rest;
}

class LabelTemplateTest : public test::CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    WriteStandardCatalogue();
    Globals().HostDir = dir.Path();
    std::filesystem::create_directory(dir.Path() + "SYSTEM");
  }
  std::string Finish() {
    WriteLabelTemplate(window);
    return dir.Read("SYSTEM/128.ufo");
  }
  FixedRandom random;
  Window window;
};

TEST_F(LabelTemplateTest, LiteralModeWhenEverythingIsFixed) {
  Typed(0, "1234567");
  Typed(5, "261231");
  EXPECT_EQ(Finish(),
            Expected("Data=\"{CODE C}{FNC1}0100000001234567"
                     "15261231\"",
                     "[Text1.1]\r\nFont =Font1\r\nColor =0, 0, 0\r\nText1=\"(01)00000001234567(15)261231\"\r\n"));
  EXPECT_EQ(Globals().TemplateFile, dir.Path() + "SYSTEM/128.ufo");
  EXPECT_EQ(window.hides, 1);
}

TEST_F(LabelTemplateTest, VariableModeWithOneHostVariable) {
  FromVariable(1, "LOT");
  EXPECT_EQ(Finish(), Expected("Variable=Variable2",
                               "[Variable1]\r\nName=LOT\r\nType=3\r\nMaxLength=20\r\nValue=0000000000\r\n"
                               "[Variable2]\r\nName=C128_ABNZZ10\r\nType=4\r\nFormat=\"{CODE B}{FNC1}10\" & LOT\r\n"
                               "MaxLength=24\r\n"  // 20 + 2 digits of "10" + 2 "{"
                               "[Variable3]\r\nName=H128_ABNZZ10\r\nType=4\r\nFormat=\"(10)\" & LOT\r\n"
                               "MaxLength =12\r\n"
                               "[Text1.1]\r\nFont =Font1\r\nColor =0, 0, 0\r\nVariable=Variable3\r\n"));
  EXPECT_EQ(random.reseeds, 2) << "each name reseeds from the clock";
}

TEST_F(LabelTemplateTest, WorkedExample) {
  Typed(0, "1234567", 1);
  FromVariable(1, "LOT");
  // L = (13 + 2 + 1 + 0) + (20 + 2 + 0 + 0) = 38, plus 3 "{". The formulas end in a
  // variable name, so they are not wrapped.
  EXPECT_EQ(Finish(),
            Expected("Variable=Variable2",
                     "[Variable1]\r\nName=LOT\r\nType=3\r\nMaxLength=20\r\nValue=0000000000\r\n"
                     "[Variable2]\r\nName=C128_ABNZZ10\r\nType=4\r\n"
                     "Format=\"{CODE C}{FNC1}010000001234567\" & Modulo10(\"0000001234567\") & \"{CODE B}10\" & "
                     "LOT\r\nMaxLength=41\r\n"
                     "[Variable3]\r\nName=H128_ABNZZ10\r\nType=4\r\n"
                     "Format=\"(01)0000001234567\" & Modulo10(\"0000001234567\") & \"(10)\" & LOT\r\n"
                     "MaxLength =62\r\n"
                     "[Text1.1]\r\nFont =Font1\r\nColor =0, 0, 0\r\nVariable=Variable3\r\n"));
}

// What the wizard writes is what velmora-label reads, in the same process: the
// template's keys are one table for both sides.
TEST_F(LabelTemplateTest, WhatTheWriterWritesTheReaderReads) {
  const struct {
    bool fromVariable;
    std::string data;
    std::string text;
  } rows[] = {
      {false, "{CODE C}{FNC1}0100000001234567", "(01)00000001234567"},
      {true, "{CODE C}{FNC1}0100000001234567{CODE B}100000000000", "(01)00000001234567(10)0000000000"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    SetUp();
    Typed(0, "1234567");
    if (row.fromVariable) FromVariable(1, "LOT");
    Finish();
    const label::LabelTemplate t = label::ReadLabelTemplate(dir.Path() + "SYSTEM/128.ufo");
    EXPECT_EQ(t.barcode.Evaluate(t.ValuesWith({})), row.data);
    EXPECT_EQ(t.readable.Evaluate(t.ValuesWith({})), row.text);
    EXPECT_DOUBLE_EQ(t.geometry.moduleWidth, 0.4);
    EXPECT_DOUBLE_EQ(t.geometry.barcodeHeight, 12);
    EXPECT_DOUBLE_EQ(t.geometry.textY, 13.5);
    EXPECT_TRUE(t.geometry.fixedPitch);
  }
}

TEST_F(LabelTemplateTest, OneLiteralFormulaGetsASecondPairOfQuotesInVariableMode) {
  Typed(0, "1234567", 1);
  Typed(5, "261231");  // ends in a literal: the formula begins and ends with a quote
  const std::string file = Finish();
  EXPECT_NE(file.find("Format=\"\"(01)0000001234567\" & Modulo10(\"0000001234567\") & \"(15)261231\"\"\r\n"),
            std::string::npos);
}

TEST_F(LabelTemplateTest, ShortFixedLengthVariableAndAVariableNotUsed) {
  FromVariable(5, "BEST");
  IdRecord& typed = FromVariable(4, "IGNORED");
  typed.IsFixed = True;
  typed.FixData = "12";
  UpdateCurrentId();
  // L = (6 + 2) + (8 + 2) = 18, plus the two "{" of "{CODE C}{FNC1}". Both formulas
  // begin and end with a literal, so each gets a second pair of quotes.
  EXPECT_EQ(Finish(),
            Expected("Variable=Variable2",
                     "[Variable1]\r\nName=BEST\r\nType=3\r\nMaxLength=6\r\nValue=000000\r\n"
                     "[Variable2]\r\nName=C128_ABNZZ37\r\nType=4\r\n"
                     "Format=\"\"{CODE C}{FNC1}15\" & Left(BEST & \"000000\", 6) & \"3712\"\"\r\nMaxLength=20\r\n"
                     "[Variable3]\r\nName=H128_ABNZZ37\r\nType=4\r\n"
                     "Format=\"\"(15)\" & Left(BEST & \"000000\", 6) & \"(37)12\"\"\r\nMaxLength =46\r\n"
                     "[Text1.1]\r\nFont =Font1\r\nColor =0, 0, 0\r\nVariable=Variable3\r\n"));
}

TEST_F(LabelTemplateTest, TwoFinishesLeaveOneTemplate) {
  Typed(5, "261231");
  const std::string first = Finish();
  Typed(5, "270101");
  const std::string second = Finish();
  EXPECT_NE(first, second);
  EXPECT_EQ(second.find("[General]"), second.rfind("[General]"));
  EXPECT_EQ(window.hides, 2);
}

TEST_F(LabelTemplateTest, AFinishRemovesTheTemporariesOfAKilledRunAndNothingElse) {
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  const std::vector<std::string> kept = {"SYSTEM/128.ufo.XXXXXX", "SYSTEM/other.ufo.velmora-abcdef",
                                         "SYSTEM/128.ufo.velmora-abcdefg", "SYSTEM/128.ufo.velmora-recent",
                                         "SYSTEM/notes.txt"};
  for (const std::string& name : kept) dir.Write(name, "keep");
  dir.Write("SYSTEM/128.ufo.velmora-Ab12Cd", "half a template");
  for (const std::string& name : {std::string("SYSTEM/128.ufo.velmora-Ab12Cd"), kept[0], kept[1], kept[2], kept[4]}) {
    std::filesystem::last_write_time(dir.Path() + name, old);
  }
  Typed(5, "261231");
  Finish();
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "SYSTEM/128.ufo.velmora-Ab12Cd"));
  for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(dir.Path() + name)) << name;
}

TEST_F(LabelTemplateTest, DebugModeShowsThePathOnceTheFileIsComplete) {
  RecordingMessageBoxes boxes;
  Typed(5, "261231");
  Finish();
  EXPECT_TRUE(boxes.Shown().empty());
  dir.Write("cn128A.INF", "[Country]\r\nmsg2=Written:\r\n");
  Globals().DebugMode = True;
  const std::string file = Finish();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Prompt, "Written:" + dir.Path() + "SYSTEM/128.ufo");
  EXPECT_EQ(boxes.Shown()[0].Style, 0);
  EXPECT_EQ(file.substr(0, kFixedSections.size()), kFixedSections);
}

TEST_F(LabelTemplateTest, LineBreaksCannotAddKeys) {
  FromVariable(1, "LOT\r\n[Evil]\r\nkey=1");
  const std::string file = Finish();
  EXPECT_EQ(file.find("Evil"), std::string::npos);
  EXPECT_EQ(file.find("[Variable1]\r\nType=3\r\nMaxLength=20\r\n"),
            kFixedSections.size() + std::string("Variable=Variable2\r\n").size() + kParagraph.size())
      << "only the refused key is left out";
}

TEST_F(LabelTemplateTest, NothingWrittenWhereTheFolderCannotTakeIt) {
  Typed(5, "261231");
  std::filesystem::remove(dir.Path() + "SYSTEM");
  Finish();
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "SYSTEM/128.ufo"));
  EXPECT_EQ(Globals().TemplateFile, dir.Path() + "SYSTEM/128.ufo");
  EXPECT_EQ(window.hides, 1);

  std::filesystem::create_directories(dir.Path() + "SYSTEM/128.ufo");  // a directory in the way
  Finish();
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "SYSTEM/128.ufo"));

  std::filesystem::remove(dir.Path() + "SYSTEM/128.ufo");
  const std::string old = dir.Write("SYSTEM/128.ufo", "old");
  ::chmod(old.c_str(), 0444);
  Finish();
  EXPECT_EQ(dir.Read("SYSTEM/128.ufo"), "old") << "a read-only template stays as it was";
  EXPECT_EQ(window.hides, 3);
}

TEST_F(LabelTemplateTest, SystemFolderFoundWithoutRegardToCase) {
  std::filesystem::remove(dir.Path() + "SYSTEM");
  std::filesystem::create_directory(dir.Path() + "System");
  Typed(5, "261231");
  WriteLabelTemplate(window);
  EXPECT_EQ(Globals().TemplateFile, dir.Path() + "System/128.ufo");
  EXPECT_TRUE(std::filesystem::exists(Globals().TemplateFile));
}

TEST(MakeVariableName, FiveCapitalLettersBetweenPrefixAndSuffix) {
  FixedRandom random;
  EXPECT_EQ(MakeVariableName("C128_", "01"), "C128_ABNZZ01");
  SetRandomSource(nullptr);
  for (int i = 0; i < 200; ++i) {
    const std::string name = MakeVariableName("H128_", "");
    ASSERT_EQ(name.size(), 10u);
    for (char c : name.substr(5)) ASSERT_TRUE(c >= 'A' && c <= 'Z') << name;
  }
}

}  // namespace
}  // namespace velmora
