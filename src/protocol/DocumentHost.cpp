#include "protocol/DocumentHost.h"

#include <cstdlib>

#include "protocol/HostMembers.h"
#include "protocol/Messages.h"

namespace velmora::protocol {

json DocumentHost::Answer(const json& request) {
  const json id = request.value("id", json());
  const json p = request.contains("params") && request["params"].is_object() ? request["params"] : json::object();
  const auto text = [](const json& j, const char* key) {
    return j.contains(key) && j[key].is_string() ? j[key].get<std::string>() : std::string();
  };
  const std::string method = text(request, "method");
  const std::string object = text(p, "object");
  const int dispid = p.contains("dispid") && p["dispid"].is_number_integer() ? p["dispid"].get<int>() : -1;
  if (method == "Enumerate" && object == "vars") {
    json list = json::array();
    for (std::size_t i = 0; i < document_.variables.size(); ++i) list.push_back(ObjectRef("v" + std::to_string(i)));
    return Result(id, list);
  }
  if (method == "Call" && object == kDocumentObject && dispid == kImport) {
    imports_.push_back(p.value("args", json::array()));
    return Result(id, nullptr);
  }
  if (method == "Get") {
    if (object == kDocumentObject && dispid == kVariableList) return Result(id, ObjectRef("vars"));
    if (object == kDocumentObject && dispid == kNumberStep1) return Result(id, ObjectRef("n1"));
    if (object == "n1" && dispid == kNumberStep2) return Result(id, ObjectRef("n2"));
    if (object == "n2" && dispid == kNumber) return Result(id, document_.number);
    if (object.size() > 1 && object[0] == 'v' && object != "vars") {
      const std::size_t i = std::strtoul(object.c_str() + 1, nullptr, 10);
      const auto& variables = document_.variables;
      if (i < variables.size() && dispid == kVariableName) return Result(id, variables[i].name);
      if (i < variables.size() && dispid == kVariableKind) return Result(id, variables[i].kind);
    }
  }
  return Error(id, -32601, "no such member");
}

}  // namespace velmora::protocol
