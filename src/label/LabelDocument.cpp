#include "label/LabelDocument.h"

#include <filesystem>

#include "platform/BoundedJson.h"
#include "platform/FileAccess.h"

namespace velmora::label {

symbol::VariableValues LabelDocument::Values() const {
  symbol::VariableValues values;
  for (const Variable& v : variables) {
    if (v.value && v.name.is_string()) values[v.name.get<std::string>()] = *v.value;
  }
  return values;
}

LabelDocument LoadLabelDocument(const std::string& path) {
  if (std::filesystem::is_directory(path)) throw DocumentError(path + ": is a folder, not a label document");
  std::string bytes;
  if (ReadWholeFile(path, bytes) != ReadStatus::Ok) throw DocumentError(path + ": cannot read the label document");
  const BoundedJson parsed = ParseBoundedJson(bytes);
  if (!parsed.Ok()) throw DocumentError(path + ": " + parsed.error);
  const nlohmann::json& doc = parsed.value;
  if (!doc.is_object()) throw DocumentError(path + ": a label document is a JSON object");
  LabelDocument d;
  if (doc.contains("number")) d.number = doc["number"];
  const nlohmann::json list = doc.value("variables", nlohmann::json::array());
  if (!list.is_array()) throw DocumentError(path + ": variables is not a list");
  for (std::size_t i = 0; i < list.size(); ++i) {
    const nlohmann::json& v = list[i];
    const std::string where = path + ": variables[" + std::to_string(i) + "]";
    if (!v.is_object() || !v.contains("name") || !v.contains("kind"))
      throw DocumentError(where + " needs a name and a kind");
    LabelDocument::Variable variable{v["name"], v["kind"], std::nullopt};
    if (v.contains("value")) {
      if (!v["value"].is_string()) throw DocumentError(where + ".value is not a text");
      variable.value = v["value"].get<std::string>();
    }
    d.variables.push_back(std::move(variable));
  }
  return d;
}

}  // namespace velmora::label
