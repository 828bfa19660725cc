#pragma once
// The protocol's JSON-RPC 2.0 messages, built in one place for both ends: the
// host's Connect and Release, the wizard's Get, Enumerate and Call on the
// host's objects, and the answers to either.
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace velmora::protocol {

using nlohmann::json;

inline json Request(const json& id, const std::string& method, json params) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}
inline json Result(const json& id, json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}
inline json Error(const json& id, int code, const std::string& message) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

// A host object as the messages carry it: {"$object":ID}.
inline constexpr const char* kObjectKey = "$object";
inline json ObjectRef(const std::string& id) { return {{kObjectKey, id}}; }

// The host's calls.
inline json Connect(const json& id, const std::string& document, const std::string& password) {
  return Request(id, "Connect", {{"Doc", ObjectRef(document)}, {"pwd", password}});
}
inline json Release(const json& id) { return {{"jsonrpc", "2.0"}, {"id", id}, {"method", "Release"}}; }

// The wizard's calls on the host's objects.
inline json Get(const json& id, const std::string& object, std::int32_t dispid) {
  return Request(id, "Get", {{"object", object}, {"dispid", dispid}});
}
inline json Call(const json& id, const std::string& object, std::int32_t dispid, json args) {
  return Request(id, "Call", {{"object", object}, {"dispid", dispid}, {"args", std::move(args)}});
}
inline json Enumerate(const json& id, const std::string& object) {
  return Request(id, "Enumerate", {{"object", object}});
}

}  // namespace velmora::protocol
