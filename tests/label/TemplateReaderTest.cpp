#include <gtest/gtest.h>

#include "label/TemplateReader.h"
#include "support/TempDir.h"

namespace velmora::label {
namespace {

// The head that every template has, as the wizard writes it.
const std::string kHead =
    "[General]\r\nVersion=1.0\r\nIdentification=32320\r\n[Objlist]\r\n1=BarCode1\r\n2=Paragraph1\r\n3=Font1\r\n"
    "[Barcode1]\r\nxOrigin=50\r\nSymbology=67\r\n";

TEST(TemplateReader, VariableModeFormulasAndSamples) {
  test::TempDir dir;
  const std::string path = dir.Write(
      "128.ufo", kHead +
                     "Variable=Variable2\r\n[Variable1]\r\nName=LOT\r\nType=3\r\nMaxLength=20\r\nValue=0000000000\r\n"
                     "[Variable2]\r\nName=C128_ABCDE10\r\nType=4\r\n"
                     "Format=\"{CODE C}{FNC1}010000001234567\" & Modulo10(\"0000001234567\") & \"{CODE B}10\" & LOT\r\n"
                     "[Variable3]\r\nName=H128_ABCDE10\r\nType=4\r\nFormat=\"\"(10)\" & LOT & \"!\"\"\r\n"
                     "[Text1.1]\r\nFont =Font1\r\nVariable=Variable3\r\n");
  const LabelTemplate t = ReadLabelTemplate(path);
  ASSERT_EQ(t.variables.size(), 1u);
  EXPECT_EQ(t.variables[0].name, "LOT");
  EXPECT_EQ(t.variables[0].sample, "0000000000");
  EXPECT_EQ(t.barcode.Evaluate(t.ValuesWith({})), "{CODE C}{FNC1}0100000012345670{CODE B}100000000000");
  EXPECT_EQ(t.barcode.Evaluate(t.ValuesWith({{"LOT", "ABC123"}})), "{CODE C}{FNC1}0100000012345670{CODE B}10ABC123");
  EXPECT_EQ(t.readable.Evaluate(t.ValuesWith({{"LOT", "X"}})), "(10)X!") << "one outer pair of quotes came off";
  EXPECT_EQ(t.barcode.where, "[Variable2] Format");
}

TEST(TemplateReader, LiteralModeTextsAreTheDataThemselves) {
  test::TempDir dir;
  const std::string path =
      dir.Write("128.ufo", kHead + "Data=\"{CODE C}{FNC1}3712\"\r\n[Text1.1]\r\nText1=\"(37)12\"\r\n");
  const LabelTemplate t = ReadLabelTemplate(path);
  EXPECT_TRUE(t.barcode.literal);
  EXPECT_EQ(t.barcode.Evaluate({}), "{CODE C}{FNC1}3712");
  EXPECT_EQ(t.readable.Evaluate({}), "(37)12");
  EXPECT_TRUE(t.variables.empty());
}

TEST(TemplateReader, BadTemplatesNameTheFileAndKey) {
  test::TempDir dir;
  const struct {
    const char* name;
    std::string text;
    std::string says;
  } rows[] = {
      {"notes.txt", "just some text\r\n", ": not a label template (no [Objlist] or [Barcode1] Symbology)"},
      {"nodata.ufo", kHead + "[Text1.1]\r\nText1=x\r\n", ": [Barcode1] has neither Variable nor Data"},
      {"dangling.ufo", kHead + "Variable=Variable9\r\n[Text1.1]\r\nText1=x\r\n",
       ": [Barcode1] Variable names [Variable9], which has no Format"},
  };
  for (const auto& row : rows) {
    const std::string path = dir.Write(row.name, row.text);
    try {
      ReadLabelTemplate(path);
      ADD_FAILURE() << row.name;
    } catch (const TemplateError& e) {
      EXPECT_EQ(e.what(), path + row.says);
    }
  }
  try {
    ReadLabelTemplate(dir.Path() + "missing.ufo");
    ADD_FAILURE();
  } catch (const TemplateError& e) {
    EXPECT_EQ(e.what(), dir.Path() + "missing.ufo: no such template");
  }
}

}  // namespace
}  // namespace velmora::label
