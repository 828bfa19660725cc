#include "TestHost.h"

#include <stdexcept>

#include "protocol/HostMembers.h"
#include "protocol/Messages.h"

namespace velmora::test {

using nlohmann::json;

json TestHost::Answer(const json& call) {
  const std::string method = call["method"];
  const json& p = call["params"];
  const std::string object = p["object"];
  Calls.push_back(method + " " + object + (p.contains("dispid") ? " " + p["dispid"].dump() : ""));
  const int dispid = p.value("dispid", -1);
  if (method == "Call" && object == protocol::kDocumentObject && dispid == protocol::kImport) {
    Imports.push_back(p["args"]);
    if (!FailingImport.empty()) return protocol::Error(call["id"], -1, FailingImport);
  }
  if (method == "Get" && object == protocol::kDocumentObject && FailingGets.contains(dispid)) {
    return protocol::Error(call["id"], -1, FailingGets[dispid]);
  }
  return host_.Answer(call);
}

json TestHost::Request(const json& request) {
  server_.Write(request.dump() + "\n");
  for (std::string line; server_.ReadLine(line);) {
    const json message = json::parse(line);
    if (message.contains("method")) {
      server_.Write(Answer(message).dump() + "\n");
      continue;
    }
    return message;
  }
  throw std::runtime_error("the server ended without answering");
}

json TestHost::Connect() {
  return Request(protocol::Connect("c" + std::to_string(nextId_++), protocol::kDocumentObject, "secret"));
}

}  // namespace velmora::test
