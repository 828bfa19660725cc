#include "label/TemplateReader.h"

#include "protocol/TemplateKeys.h"

#include <optional>

#include "platform/FileAccess.h"
#include "platform/Utf8Text.h"
#include "platform/ini/IniDocument.h"

namespace velmora::label {
namespace {

namespace keys = protocol::keys;

std::optional<std::string> Key(const IniDocument& doc, const std::string& section, const std::string& key) {
  const std::optional<std::string_view> value = doc.Find(section, key);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

// The formula of a Variable section, or the literal under `literalKey`.
TemplateText TextOf(const IniDocument& doc, const std::string& path, const std::string& section,
                    const std::string& literalKey) {
  if (const std::optional<std::string> name = Key(doc, section, keys::kVariable)) {
    const std::optional<std::string> format = Key(doc, *name, keys::kFormat);
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
  g.barcodeX = Hundredths(doc, path, keys::kBarcode, keys::kXOrigin, g.barcodeX, false);
  g.barcodeY = Hundredths(doc, path, keys::kBarcode, keys::kYOrigin, g.barcodeY, false);
  g.barcodeHeight = Hundredths(doc, path, keys::kBarcode, keys::kHeight, g.barcodeHeight, true);
  g.moduleWidth = Hundredths(doc, path, keys::kBarcode, keys::kNarrowBarWidth, g.moduleWidth, true);
  g.textX = Hundredths(doc, path, keys::kParagraph, keys::kXOrigin, g.textX, false);
  g.textY = Hundredths(doc, path, keys::kParagraph, keys::kYOrigin, g.textY, false);
  g.fontHeight = Hundredths(doc, path, keys::kFont, keys::kHeight, g.fontHeight, true);
  if (const std::optional<std::string> face = Key(doc, keys::kFont, keys::kFaceName)) g.fontFace = *face;
  if (const std::optional<std::string> pitch = Key(doc, keys::kFont, keys::kFixedPitch)) g.fixedPitch = *pitch != "0";
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

LabelTemplate ElementStringTemplate(const std::string& variable) {
  LabelTemplate t;
  t.barcode = {variable, false, "the element string " + variable};
  t.readable = {"", true, "the elements' text"};
  t.variables = {{variable, ""}};
  t.elementString = true;
  return t;
}

LabelTemplate ReadLabelTemplate(const std::string& path) {
  std::string bytes;
  const ReadStatus status = ReadWholeFile(path, bytes);
  if (status == ReadStatus::Missing) throw TemplateError(path + ": no such template");
  if (status != ReadStatus::Ok) throw TemplateError(path + ": cannot read the template");
  const IniDocument doc = IniDocument::Parse(DecodeFileText(std::move(bytes)));
  if (!Key(doc, keys::kObjects, "1") || !Key(doc, keys::kBarcode, keys::kSymbology)) {
    throw TemplateError(path + ": not a label template (no [Objlist] or [Barcode1] Symbology)");
  }
  LabelTemplate t;
  t.geometry = GeometryOf(doc, path);
  t.barcode = TextOf(doc, path, keys::kBarcode, keys::kData);
  t.readable = TextOf(doc, path, keys::kText, keys::kTextLine);
  for (int n = 1;; ++n) {
    const std::string section = keys::kVariablePrefix + std::to_string(n);
    const std::optional<std::string> name = Key(doc, section, keys::kName);
    if (!name) break;
    const std::optional<std::string> type = Key(doc, section, keys::kType);
    if (type && *type == "3") {
      const std::optional<std::string> value = Key(doc, section, keys::kValue);
      t.variables.push_back({*name, value ? *value : std::string()});
    }
  }
  return t;
}

}  // namespace velmora::label
