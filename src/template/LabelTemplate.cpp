#include "template/LabelTemplate.h"

#include <string_view>
#include <utility>

#include "base/GlobalValues.h"
#include "base/MGeneral.h"
#include "base/VbText.h"
#include "ids/FormulaComposer.h"
#include "ids/HistoryState.h"
#include "ids/IdTable.h"
#include "platform/FileAccess.h"
#include "platform/MessageBox.h"
#include "platform/PathLookup.h"
#include "platform/ini/IniEditor.h"
#include "settings/MFile.h"
#include "settings/MGlobal.h"
#include "template/VariableNames.h"

namespace velmora {
namespace {

using Keys = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// Runs one step of the writer; a failing step is skipped and the next one runs.
template <class Step>
void Contained(Step step) {
  try {
    step();
  } catch (...) {
  }
}

// The file in memory, written key by key as the settings-file writer would.
class TemplateText {
 public:
  // A value the writer refuses (one holding a line break) is left out.
  void WriteTemplateValue(std::string_view section, std::string_view key, std::string_view value) {
    SetIniValue(text_, section, key, value);
  }
  void WriteSection(std::string_view section, Keys keys) {
    for (const auto& [key, value] : keys) WriteTemplateValue(section, key, value);
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

void WriteFixedSections(TemplateText& t) {
  t.WriteSection("General", {{"Version", "1.0"}, {"Identification", "32320"}});
  t.WriteSection("Objlist", {{"1", "BarCode1"}, {"2", "Paragraph1"}, {"3", "Font1"}});
  t.WriteSection("Font1", {{"FaceName", "toto"},
                           {"Height", "430"},
                           {"Rotation", "0"},
                           {"Device", "1"},
                           {"FixedPitch", "1"},
                           {"Family", "16"}});
  t.WriteSection("Barcode1", {{"xOrigin", "50"},
                              {"yOrigin", "50"},
                              {"AnchorPoint", "17"},
                              {"Rotation", "0"},
                              {"NonPrintable", "0"},
                              {"Color", "0,0,0"},
                              {"Symbology", "67"},
                              {"Device", "1"},
                              {"Height", "1200"},
                              {"NarrowBarWidth", "40"},
                              {"Gap1", "1"},
                              {"Ratio", "0"},
                              {"Check", "1"},
                              {"HumanReadable", "0"},
                              {"CheckInHR", "1"},
                              {"HRAlign", "2"},
                              {"Options", "1"}});
  t.WriteSection("Paragraph1", {{"xOrigin ", "100"},
                                {"yOrigin ", "1350"},
                                {"AnchorPoint ", "17"},
                                {"Rotation ", "0"},
                                {"NonPrintable ", "0"},
                                {"Color ", "0, 0, 0"},
                                {"Alignment ", "0"},
                                {"LineHeight% ", "100"}});
}

// A formula that begins and ends with a quote gets one more pair, which the
// host's reader strips again.
std::string WrapInQuotes(const std::string& formula) {
  const std::string& q = Globals().QuoteChar;
  if (formula.starts_with(q) && formula.ends_with(q)) return q + formula + q;
  return formula;
}

std::string SampleValue(std::int16_t charLenBackup) {
  return std::string(charLenBackup < 10 ? static_cast<std::size_t>(std::max<int>(0, charLenBackup)) : 10, '0');
}

void WriteVariableMode(TemplateText& t) {
  int k = 0;
  long long length = 0;
  std::string lastKey;
  const std::int16_t count = ChosenIdCount();
  for (std::int16_t i = 0; i < count; ++i)
    Contained([&] {
      const IdRecord& r = History().IdTable(i);
      if (!r.VarData.empty() && r.IsFixed == 0) {
        ++k;
        t.WriteSection("Variable" + std::to_string(k), {{"Name", r.VarData},
                                                        {"Type", "3"},
                                                        {"MaxLength", std::to_string(r.CharLen)},
                                                        {"Value", SampleValue(r.CharLenBackup)}});
      }
      length += r.CharLen + Len(r.IdKey) + r.Choice[0] + r.Choice[1];
      lastKey = r.IdKey;
    });
  std::string f;
  std::string h;
  Contained([&] { f = WrapInQuotes(ComposeBarcodeData()); });
  Contained([&] { h = WrapInQuotes(ComposeReadableText()); });
  const std::string barcodeVariable = "Variable" + std::to_string(k + 1);
  const std::string textVariable = "Variable" + std::to_string(k + 2);
  t.WriteSection(barcodeVariable, {{"Name", MakeVariableName("C128_", lastKey)},
                                   {"Type", "4"},
                                   {"Format", f},
                                   {"MaxLength", std::to_string(length + CountOccurrences(f, "{"))}});
  t.WriteTemplateValue("Barcode1", "Variable", barcodeVariable);
  t.WriteSection(textVariable, {{"Name", MakeVariableName("H128_", lastKey)},
                                {"Type", "4"},
                                {"Format", h},
                                {"MaxLength ", std::to_string(Len(h))}});
  t.WriteSection("Text1.1", {{"Font ", "Font1"}, {"Color ", "0, 0, 0"}, {"Variable", textVariable}});
}

void WriteLiteralMode(TemplateText& t) {
  Contained([&] { t.WriteTemplateValue("Barcode1", "Data", ComposeBarcodeData()); });
  t.WriteSection("Text1.1", {{"Font ", "Font1"}, {"Color ", "0, 0, 0"}});
  Contained([&] { t.WriteTemplateValue("Text1.1", "Text1", ComposeReadableText()); });
}

// Literal mode only when both tests say so; a failing test cannot make it literal.
bool VariableMode() {
  bool literal = false;
  Contained([&] { literal = AnyVariablePart() == 0 && AnyCheckDigit() == 0; });
  return !literal;
}

}  // namespace

std::string ComposeLabelTemplate() {
  TemplateText t;
  WriteFixedSections(t);
  if (VariableMode()) {
    WriteVariableMode(t);
  } else {
    WriteLiteralMode(t);
  }
  return t.Text();
}

void WriteLabelTemplate(HideableWindow& window) {
  GlobalValues& g = Globals();
  g.TemplateFile = ResolvePath(g.HostDir + "SYSTEM" + kPathSeparator + "128.ufo");
  DeleteFile(g.TemplateFile);
  Contained([&] { RemoveStaleTemporaries(g.TemplateFile); });  // left by a run that was killed mid-write
  // Built whole in memory and put in place at once: the host never imports half a
  // template. A hand-off that the host reads at once needs the rename, not a sync.
  Contained([&] { WriteFileAtomically(g.TemplateFile, ComposeLabelTemplate(), Durability::HandOff); });
  Contained([&] {
    if (g.DebugMode != 0) ShowMessageBox(GetCny("msg2") + g.TemplateFile, kStyleOkOnly, "EAN 128");
  });
  window.Hide();
}

}  // namespace velmora
