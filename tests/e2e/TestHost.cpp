#include "TestHost.h"

#include <stdexcept>

namespace velmora::test {

using nlohmann::json;

namespace {

json Object(const std::string& id) { return {{"$object", id}}; }

json Result(const json& id, const json& result) { return {{"jsonrpc", "2.0"}, {"id", id}, {"result", result}}; }

}  // namespace

json TestHost::Answer(const json& call) {
  const std::string method = call["method"];
  const json& p = call["params"];
  const std::string object = p["object"];
  Calls.push_back(method + " " + object + (p.contains("dispid") ? " " + p["dispid"].dump() : ""));
  if (method == "Enumerate" && object == "vars") {
    json list = json::array();
    for (std::size_t i = 0; i < variables_.size(); ++i) list.push_back(Object("v" + std::to_string(i)));
    return Result(call["id"], list);
  }
  const int dispid = p.value("dispid", -1);
  if (method == "Call" && object == "doc" && dispid == 23) {
    Imports.push_back(p["args"]);
    if (!FailingImport.empty()) {
      return {{"jsonrpc", "2.0"}, {"id", call["id"]}, {"error", {{"code", -1}, {"message", FailingImport}}}};
    }
    return Result(call["id"], nullptr);
  }
  if (method == "Get") {
    if (object == "doc" && FailingGets.contains(dispid)) {
      return {{"jsonrpc", "2.0"}, {"id", call["id"]}, {"error", {{"code", -1}, {"message", FailingGets[dispid]}}}};
    }
    if (object == "doc" && dispid == 1) return Result(call["id"], Object("vars"));
    if (object == "doc" && dispid == 7) return Result(call["id"], Object("n1"));
    if (object == "n1" && dispid == 12) return Result(call["id"], Object("n2"));
    if (object == "n2" && dispid == 15) return Result(call["id"], number_);
    if (object.starts_with('v') && object != "vars") {
      const HostVariable& v = variables_.at(std::stoul(object.substr(1)));
      if (dispid == 1) return Result(call["id"], v.name);
      if (dispid == 3) return Result(call["id"], v.kind);
    }
  }
  return {{"jsonrpc", "2.0"}, {"id", call["id"]}, {"error", {{"code", -32601}, {"message", "no such member"}}}};
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
  return Request({{"jsonrpc", "2.0"},
                  {"id", "c" + std::to_string(nextId_++)},
                  {"method", "Connect"},
                  {"params", {{"Doc", Object("doc")}, {"pwd", "secret"}}}});
}

}  // namespace velmora::test
