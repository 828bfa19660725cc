#include "label/TemplateReader.h"

#include <optional>

#include "platform/FileAccess.h"
#include "platform/Utf8Text.h"
#include "platform/ini/IniDocument.h"

namespace velmora::label {
namespace {

std::optional<std::string> Key(const IniDocument& doc, const std::string& section, const std::string& key) {
  const std::optional<std::string_view> value = doc.Find(section, key);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

// The formula of a Variable section, or the literal under `literalKey`.
TemplateText TextOf(const IniDocument& doc, const std::string& path, const std::string& section,
                    const std::string& literalKey) {
  if (const std::optional<std::string> name = Key(doc, section, "Variable")) {
    const std::optional<std::string> format = Key(doc, *name, "Format");
    if (!format) {
      throw TemplateError(path + ": [" + section + "] Variable names [" + *name + "], which has no Format");
    }
    return {*format, false, "[" + *name + "] Format"};
  }
  if (const std::optional<std::string> literal = Key(doc, section, literalKey))
    return {*literal, true, "[" + section + "] " + literalKey};
  throw TemplateError(path + ": [" + section + "] has neither Variable nor " + literalKey);
}

// A length in hundredths of a millimetre, as millimetres; `fallback` when absent.
double Hundredths(const IniDocument& doc, const std::string& path, const std::string& section, const std::string& key,
                  double fallback, bool positive) {
  const std::optional<std::string> text = Key(doc, section, key);
  if (!text) return fallback;
  std::size_t used = 0;
  long value = -1;
  try {
    value = std::stol(*text, &used);
  } catch (...) {
    used = 0;
  }
  if (used == 0 || used != text->size() || value < 0 || value > 100000 || (positive && value == 0)) {
    throw TemplateError(path + ": [" + section + "] " + key + " is '" + *text +
                        "', not a length in hundredths of a millimetre");
  }
  return static_cast<double>(value) / 100.0;
}

render::TemplateGeometry GeometryOf(const IniDocument& doc, const std::string& path) {
  // Paragraph1's keys are written with a trailing blank, which the reader trims.
  render::TemplateGeometry g;
  g.barcodeX = Hundredths(doc, path, "Barcode1", "xOrigin", g.barcodeX, false);
  g.barcodeY = Hundredths(doc, path, "Barcode1", "yOrigin", g.barcodeY, false);
  g.barcodeHeight = Hundredths(doc, path, "Barcode1", "Height", g.barcodeHeight, true);
  g.moduleWidth = Hundredths(doc, path, "Barcode1", "NarrowBarWidth", g.moduleWidth, true);
  g.textX = Hundredths(doc, path, "Paragraph1", "xOrigin", g.textX, false);
  g.textY = Hundredths(doc, path, "Paragraph1", "yOrigin", g.textY, false);
  g.fontHeight = Hundredths(doc, path, "Font1", "Height", g.fontHeight, true);
  if (const std::optional<std::string> face = Key(doc, "Font1", "FaceName")) g.fontFace = *face;
  if (const std::optional<std::string> pitch = Key(doc, "Font1", "FixedPitch")) g.fixedPitch = *pitch != "0";
  return g;
}

}  // namespace

std::string TemplateText::Evaluate(const symbol::VariableValues& values) const {
  if (literal) return text;
  return symbol::Formula::Parse(text).Evaluate(values);
}

std::vector<std::string> TemplateText::Variables() const {
  if (literal) return {};
  return symbol::Formula::Parse(text).Variables();
}

std::vector<symbol::Formula::Padded> TemplateText::Padded() const {
  if (literal) return {};
  return symbol::Formula::Parse(text).PaddedVariables();
}

symbol::VariableValues LabelTemplate::ValuesWith(const symbol::VariableValues& values) const {
  symbol::VariableValues all;
  for (const TemplateVariable& v : variables) all[v.name] = v.sample;
  for (const auto& [name, value] : values) all[name] = value;
  return all;
}

LabelTemplate ReadLabelTemplate(const std::string& path) {
  std::string bytes;
  const ReadStatus status = ReadWholeFile(path, bytes);
  if (status == ReadStatus::Missing) throw TemplateError(path + ": no such template");
  if (status != ReadStatus::Ok) throw TemplateError(path + ": cannot read the template");
  const IniDocument doc = IniDocument::Parse(DecodeFileText(std::move(bytes)));
  if (!Key(doc, "Objlist", "1") || !Key(doc, "Barcode1", "Symbology")) {
    throw TemplateError(path + ": not a label template (no [Objlist] or [Barcode1] Symbology)");
  }
  LabelTemplate t;
  t.geometry = GeometryOf(doc, path);
  t.barcode = TextOf(doc, path, "Barcode1", "Data");
  t.readable = TextOf(doc, path, "Text1.1", "Text1");
  for (int n = 1;; ++n) {
    const std::string section = "Variable" + std::to_string(n);
    const std::optional<std::string> name = Key(doc, section, "Name");
    if (!name) break;
    const std::optional<std::string> type = Key(doc, section, "Type");
    if (type && *type == "3") {
      const std::optional<std::string> value = Key(doc, section, "Value");
      t.variables.push_back({*name, value ? *value : std::string()});
    }
  }
  return t;
}

}  // namespace velmora::label
