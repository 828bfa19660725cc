#include "protocol/HostDocument.h"

#include <filesystem>

#include "platform/BoundedJson.h"
#include "platform/FileAccess.h"

namespace velmora::protocol {

using nlohmann::json;

std::map<std::string, std::string, std::less<>> HostDocument::Values() const {
  std::map<std::string, std::string, std::less<>> values;
  for (const Variable& v : variables) {
    if (v.value && v.name.is_string()) values[v.name.get<std::string>()] = *v.value;
  }
  return values;
}

std::string HostDocument::Origin(const std::string& field, const json& value) const {
  return file + ": " + field + " is " + value.dump(-1, ' ', false, json::error_handler_t::replace);
}

HostDocument ReadHostDocument(const std::string& path) {
  if (std::filesystem::is_directory(path)) throw DocumentError(path + ": is a folder, not a document file");
  std::string bytes;
  if (const ReadStatus read = ReadWholeFile(path, bytes); read != ReadStatus::Ok) {
    throw DocumentError(path +
                        (read == ReadStatus::Missing ? ": no such document file" : ": cannot read this document file"));
  }
  const BoundedJson parsed = ParseBoundedJson(bytes);
  if (!parsed.Ok()) throw DocumentError(path + ": " + parsed.error);
  const json& doc = parsed.value;
  if (!doc.is_object()) throw DocumentError(path + ": a document is a JSON object");
  HostDocument d;
  d.file = std::filesystem::path(path).filename().string();
  if (doc.contains("number")) d.number = doc["number"];
  const json list = doc.value("variables", json::array());
  if (!list.is_array()) throw DocumentError(path + ": variables is not a list");
  for (std::size_t i = 0; i < list.size(); ++i) {
    const json& v = list[i];
    const std::string where = path + ": variables[" + std::to_string(i) + "]";
    if (!v.is_object() || !v.contains("name") || !v.contains("kind")) {
      throw DocumentError(where + " needs a name and a kind");
    }
    HostDocument::Variable variable{v["name"], v["kind"], std::nullopt};
    if (v.contains("value")) {
      if (!v["value"].is_string()) throw DocumentError(where + ".value is not a text");
      variable.value = v["value"].get<std::string>();
    }
    d.variables.push_back(std::move(variable));
  }
  return d;
}

}  // namespace velmora::protocol
