#include "label/TemplateReader.h"

#include "platform/FileAccess.h"
#include "platform/IniDocument.h"
#include "platform/Utf8Text.h"

namespace velmora::label {
namespace {

const std::string* Key(const IniDocument& doc, const std::string& section, const std::string& key) {
  return doc.Find(section, key);
}

// The formula of a Variable section, or the literal under `literalKey`.
TemplateText TextOf(const IniDocument& doc, const std::string& path, const std::string& section,
                    const std::string& literalKey) {
  if (const std::string* name = Key(doc, section, "Variable")) {
    const std::string* format = Key(doc, *name, "Format");
    if (format == nullptr) {
      throw TemplateError(path + ": [" + section + "] Variable names [" + *name + "], which has no Format");
    }
    return {*format, false, "[" + *name + "] Format"};
  }
  if (const std::string* literal = Key(doc, section, literalKey)) return {*literal, true, "[" + section + "] " + literalKey};
  throw TemplateError(path + ": [" + section + "] has neither Variable nor " + literalKey);
}

}  // namespace

std::string TemplateText::Evaluate(const symbol::VariableValues& values) const {
  if (literal) return text;
  return symbol::Formula::Parse(text).Evaluate(values);
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
  const IniDocument doc = IniDocument::Parse(DecodeFileText(bytes));
  if (Key(doc, "Objlist", "1") == nullptr || Key(doc, "Barcode1", "Symbology") == nullptr) {
    throw TemplateError(path + ": not a label template (no [Objlist] or [Barcode1] Symbology)");
  }
  LabelTemplate t;
  t.barcode = TextOf(doc, path, "Barcode1", "Data");
  t.readable = TextOf(doc, path, "Text1.1", "Text1");
  for (int n = 1;; ++n) {
    const std::string section = "Variable" + std::to_string(n);
    const std::string* name = Key(doc, section, "Name");
    if (name == nullptr) break;
    const std::string* type = Key(doc, section, "Type");
    if (type != nullptr && *type == "3") {
      const std::string* value = Key(doc, section, "Value");
      t.variables.push_back({*name, value != nullptr ? *value : std::string()});
    }
  }
  return t;
}

}  // namespace velmora::label
