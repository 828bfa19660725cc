#pragma once
// The automation server: JSON-RPC 2.0 over a pair of streams, one message a
// line, requests in both directions. The host calls Connect and Release; while
// Connect runs, the server calls the host's objects with Get, Enumerate, Call.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "automation/Application.h"
#include "wizard/WindowView.h"

namespace velmora {

class JsonRpcServer {
 public:
  JsonRpcServer(std::istream& in, std::ostream& out, WindowView& view);
  // Serves until the input ends; returns the process's exit status.
  int Serve();

  // A call to the host (a request of protocol/Messages.h, its id given here),
  // answered before it returns; a host error is run-time error 440.
  nlohmann::json CallHost(nlohmann::json request);

 private:
  enum class Read { Message, Unreadable, End };
  Read ReadMessage(nlohmann::json& message);
  void Send(const nlohmann::json& message);
  void HandleRequest(const nlohmann::json& message);
  void Answer(const nlohmann::json& id, const nlohmann::json& result);
  void Fail(const nlohmann::json& id, int code, const std::string& text);
  // A message that is not a response to the server's own call, while it waits for one.
  void HandleWhileWaiting(const nlohmann::json& message);

  std::istream& in_;
  std::ostream& out_;
  WindowView& view_;
  WizardWindow window_{view_};  // outlives every Application of the process
  std::optional<Application> application_;
  std::int64_t nextId_ = 1;
  bool ended_ = false;
};

}  // namespace velmora
