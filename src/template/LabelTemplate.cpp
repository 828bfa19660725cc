#include "template/LabelTemplate.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "base/GlobalValues.h"
#include "base/MGeneral.h"
#include "base/VbText.h"
#include "ids/FormulaComposer.h"
#include "ids/HistoryState.h"
#include "ids/IdTable.h"
#include "platform/CaseFold.h"
#include "platform/FileAccess.h"
#include "platform/MessageBox.h"
#include "platform/PathLookup.h"
#include "platform/ini/IniLines.h"
#include "protocol/TemplateKeys.h"
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

// The file in memory, written key by key as the settings-file writer would:
// a new section goes last, a new key after its section's last key, a key
// written again keeps its place and its name as the reader trims it. Kept as
// sections and lines, and joined once: a template's keys are many.
class TemplateText {
 public:
  // A value the writer refuses (one holding a line break) is left out.
  void WriteTemplateValue(std::string_view section, std::string_view key, std::string_view value) {
    const auto breaks = [](std::string_view t) { return t.find_first_of("\r\n") != std::string_view::npos; };
    if (breaks(section) || breaks(key) || breaks(value)) return;
    section = TrimSpaces(section);
    auto found = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& s) { return EqualsIgnoreCase(TrimIniBlanks(s.name), section); });
    if (found == sections_.end()) found = sections_.insert(sections_.end(), Section{std::string(section), {}});
    const std::string_view name = TrimSpaces(key);
    for (Line& line : found->lines) {
      if (EqualsIgnoreCase(line.name, name)) {
        line.text = line.name + "=" + std::string(value);
        return;
      }
    }
    found->lines.push_back({std::string(TrimIniBlanks(key)), std::string(key) + "=" + std::string(value)});
  }
  void WriteSection(std::string_view section, Keys keys) {
    for (const auto& [key, value] : keys) WriteTemplateValue(section, key, value);
  }
  std::string Text() const {
    std::string text;
    for (const Section& section : sections_) {
      text += "[" + section.name + "]\r\n";
      for (const Line& line : section.lines) text += line.text + "\r\n";
    }
    return text;
  }

 private:
  struct Line {
    std::string name;  // as the reader trims it
    std::string text;  // as written, without its line break
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };
  std::vector<Section> sections_;
};

namespace keys = protocol::keys;

// A key as the host's own templates carry it in some sections, a blank before
// its '=' (readers trim it).
std::string Blank(const char* key) { return std::string(key) + " "; }

void WriteFixedSections(TemplateText& t) {
  t.WriteSection("General", {{"Version", "1.0"}, {"Identification", "32320"}});
  t.WriteSection(keys::kObjects, {{"1", "BarCode1"}, {"2", keys::kParagraph}, {"3", keys::kFont}});
  t.WriteSection(keys::kFont, {{keys::kFaceName, "toto"},
                               {keys::kHeight, "430"},
                               {"Rotation", "0"},
                               {"Device", "1"},
                               {keys::kFixedPitch, "1"},
                               {"Family", "16"}});
  t.WriteSection(keys::kBarcode, {{keys::kXOrigin, "50"},
                                  {keys::kYOrigin, "50"},
                                  {"AnchorPoint", "17"},
                                  {"Rotation", "0"},
                                  {"NonPrintable", "0"},
                                  {"Color", "0,0,0"},
                                  {keys::kSymbology, "67"},
                                  {"Device", "1"},
                                  {keys::kHeight, "1200"},
                                  {keys::kNarrowBarWidth, "40"},
                                  {"Gap1", "1"},
                                  {"Ratio", "0"},
                                  {"Check", "1"},
                                  {"HumanReadable", "0"},
                                  {"CheckInHR", "1"},
                                  {"HRAlign", "2"},
                                  {"Options", "1"}});
  t.WriteSection(keys::kParagraph, {{Blank(keys::kXOrigin), "100"},
                                    {Blank(keys::kYOrigin), "1350"},
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
        t.WriteSection(keys::kVariablePrefix + std::to_string(k), {{keys::kName, r.VarData},
                                                                   {keys::kType, "3"},
                                                                   {"MaxLength", std::to_string(r.CharLen)},
                                                                   {keys::kValue, SampleValue(r.CharLenBackup)}});
      }
      length += r.CharLen + Len(r.IdKey) + r.Choice[0] + r.Choice[1];
      lastKey = r.IdKey;
    });
  std::string f;
  std::string h;
  Contained([&] { f = WrapInQuotes(ComposeBarcodeData()); });
  Contained([&] { h = WrapInQuotes(ComposeReadableText()); });
  const std::string barcodeVariable = keys::kVariablePrefix + std::to_string(k + 1);
  const std::string textVariable = keys::kVariablePrefix + std::to_string(k + 2);
  t.WriteSection(barcodeVariable, {{keys::kName, MakeVariableName("C128_", lastKey)},
                                   {keys::kType, "4"},
                                   {keys::kFormat, f},
                                   {"MaxLength", std::to_string(length + CountOccurrences(f, "{"))}});
  t.WriteTemplateValue(keys::kBarcode, keys::kVariable, barcodeVariable);
  t.WriteSection(textVariable, {{keys::kName, MakeVariableName("H128_", lastKey)},
                                {keys::kType, "4"},
                                {keys::kFormat, h},
                                {"MaxLength ", std::to_string(Len(h))}});
  t.WriteSection(keys::kText, {{"Font ", keys::kFont}, {"Color ", "0, 0, 0"}, {keys::kVariable, textVariable}});
}

void WriteLiteralMode(TemplateText& t) {
  Contained([&] { t.WriteTemplateValue(keys::kBarcode, keys::kData, ComposeBarcodeData()); });
  t.WriteSection(keys::kText, {{"Font ", keys::kFont}, {"Color ", "0, 0, 0"}});
  Contained([&] { t.WriteTemplateValue(keys::kText, keys::kTextLine, ComposeReadableText()); });
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
