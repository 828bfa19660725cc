#include "automation/JsonRpcServer.h"

#include <istream>
#include <ostream>

#include "automation/Dispatch.h"
#include "base/RuntimeError.h"
#include "platform/BoundedJson.h"
#include "protocol/Messages.h"

namespace velmora {
namespace {

using nlohmann::json;

constexpr std::size_t kMaxLine = 32u << 20;  // longer lines are refused, not parsed

// The input ended while the server waited for the host: nothing more can run.
struct HostGone {};

class RemoteObject : public Dispatch {
 public:
  RemoteObject(JsonRpcServer& server, json id) : server_(server), id_(std::move(id)) {}
  Variant Get(std::int32_t dispid) override;
  void Call(std::int32_t dispid, const std::vector<Variant>& args) override;
  std::vector<Variant> Enumerate() override;

 private:
  JsonRpcServer& server_;
  json id_;
};

Variant FromJson(JsonRpcServer& server, const json& value) {
  switch (value.type()) {
    case json::value_t::null: return Variant(Variant::Null{});
    case json::value_t::boolean: return Variant::FromBool(value.get<bool>());
    case json::value_t::number_integer:
    case json::value_t::number_unsigned: {
      const double number = value.get<double>();
      if (number >= -2147483648.0 && number <= 2147483647.0)
        return Variant(static_cast<std::int32_t>(value.get<std::int64_t>()));
      return Variant(number);
    }
    case json::value_t::number_float: return Variant(value.get<double>());
    case json::value_t::string: return Variant(value.get<std::string>());
    case json::value_t::array: {
      Variant::Array items;
      for (const json& item : value) items.push_back(FromJson(server, item));
      return Variant(std::move(items));
    }
    case json::value_t::object: {
      const char* key = protocol::kObjectKey;
      if (value.size() == 1 && value.contains(key) && (value[key].is_string() || value[key].is_number())) {
        return Variant(Variant::Object(std::make_shared<RemoteObject>(server, value[key])));
      }
      [[fallthrough]];
    }
    default: RaiseError(kErrTypeMismatch, "the host answered a value of no known kind");
  }
}

json ToJson(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null: return nullptr;
    case VarType::Boolean: return value.ToLong() != 0;
    case VarType::Integer:
    case VarType::Long: return value.ToLong();
    case VarType::Array: {
      json items = json::array();
      for (const Variant& item : *value.AsArray()) items.push_back(ToJson(item));
      return items;
    }
    case VarType::Object: RaiseError(kErrTypeMismatch, "objects of the wizard cannot be passed to the host");
    default: return value.ToText();
  }
}

Variant RemoteObject::Get(std::int32_t dispid) {
  return FromJson(server_, server_.CallHost(protocol::Get(nullptr, id_, dispid)));
}

void RemoteObject::Call(std::int32_t dispid, const std::vector<Variant>& args) {
  json list = json::array();
  for (const Variant& arg : args) list.push_back(ToJson(arg));
  server_.CallHost(protocol::Call(nullptr, id_, dispid, std::move(list)));
}

std::vector<Variant> RemoteObject::Enumerate() {
  const json elements = server_.CallHost(protocol::Enumerate(nullptr, id_));
  if (!elements.is_array()) RaiseError(kErrTypeMismatch, "the host's enumeration is not a list");
  std::vector<Variant> values;
  for (const json& element : elements) values.push_back(FromJson(server_, element));
  return values;
}

// A member of a message, or nullptr; every member is read with its type checked.
const json* Member(const json& m, const char* name) {
  if (!m.is_object()) return nullptr;
  const auto found = m.find(name);
  return found == m.end() ? nullptr : &*found;
}

bool IsString(const json* v, const char* text = nullptr) {
  return v != nullptr && v->is_string() && (text == nullptr || v->get_ref<const std::string&>() == text);
}

// An id a reply may carry: a text or a number.
bool IsValidId(const json* id) { return id != nullptr && (id->is_string() || id->is_number()); }

bool IsResponse(const json& m) {
  return m.is_object() && Member(m, "method") == nullptr &&
         (Member(m, "result") != nullptr || Member(m, "error") != nullptr);
}

// A well-formed request: "jsonrpc" "2.0", a text method, an id that is a text,
// a number or absent (a notification), params an object or a list if given.
bool IsValidRequest(const json& m) {
  const json* id = Member(m, "id");
  const json* params = Member(m, "params");
  return IsString(Member(m, "jsonrpc"), "2.0") && IsString(Member(m, "method")) &&
         (id == nullptr || id->is_null() || IsValidId(id)) &&
         (params == nullptr || params->is_object() || params->is_array());
}

bool IsNotification(const json& m) { return IsValidRequest(m) && Member(m, "id") == nullptr; }

}  // namespace

JsonRpcServer::JsonRpcServer(std::istream& in, std::ostream& out, WindowView& view) : in_(in), out_(out), view_(view) {}

JsonRpcServer::Read JsonRpcServer::ReadMessage(json& message) {
  std::string line;
  bool tooLong = false;
  for (int c = in_.get(); c != '\n'; c = in_.get()) {
    if (c == std::char_traits<char>::eof()) {
      if (line.empty() && !tooLong) return Read::End;
      ended_ = true;  // a message cut off by the end of input is not answered
      return Read::End;
    }
    if (line.size() < kMaxLine) {
      line += static_cast<char>(c);
    } else {
      tooLong = true;
    }
  }
  if (tooLong) {
    Fail(nullptr, -32600, "Invalid Request: message longer than " + std::to_string(kMaxLine) + " bytes");
    return Read::Unreadable;
  }
  if (line.find_first_not_of(" \t\r") == std::string::npos) return Read::Unreadable;
  BoundedJson parsed = ParseBoundedJson(line);
  if (parsed.tooDeep) {
    Fail(nullptr, -32600, "Invalid Request: " + parsed.error);
    return Read::Unreadable;
  }
  if (!parsed.Ok()) {
    Fail(nullptr, -32700, "Parse error: " + parsed.error);
    return Read::Unreadable;
  }
  message = std::move(parsed.value);
  return Read::Message;
}

void JsonRpcServer::Send(const json& message) {
  out_ << message.dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
  out_.flush();
}

// A request with "id":null is a request all the same, answered with that null.
void JsonRpcServer::Answer(const json& id, const json& result) { Send(protocol::Result(id, result)); }

void JsonRpcServer::Fail(const json& id, int code, const std::string& text) { Send(protocol::Error(id, code, text)); }

int JsonRpcServer::Serve() {
  for (;;) {
    json message;
    const Read read = ReadMessage(message);
    if (read == Read::End) break;
    if (read == Read::Message) HandleRequest(message);
    if (ended_) break;
  }
  application_.reset();  // the end of input releases the Application
  return 0;
}

void JsonRpcServer::HandleRequest(const json& m) {
  if (IsResponse(m)) return;  // an answer to a call the server no longer waits for
  const json* idMember = Member(m, "id");
  const json id = IsValidId(idMember) ? *idMember : json();
  if (!IsValidRequest(m)) return Fail(id, -32600, "Invalid Request");
  const bool notification = IsNotification(m);  // carried out, never answered
  const std::string& method = Member(m, "method")->get_ref<const std::string&>();
  const json* paramsMember = Member(m, "params");
  const json params = paramsMember != nullptr ? *paramsMember : json::object();
  const auto reply = [&](const json& result) {
    if (!notification) Answer(id, result);
  };
  const auto fail = [&](int code, const std::string& text) {
    if (!notification) Fail(id, code, text);
  };
  if (method == "Release") {
    application_.reset();
    return reply(nullptr);
  }
  if (method != "Connect") return fail(-32601, "Method not found: " + method);
  const json* doc = Member(params, "Doc");
  const json* pwd = Member(params, "pwd");
  const bool docOk = doc != nullptr && doc->is_object() && IsString(Member(*doc, protocol::kObjectKey));
  if (!docOk || (pwd != nullptr && !pwd->is_string())) {
    return fail(-32602, "Invalid params: Connect takes {\"Doc\":{\"$object\":ID},\"pwd\":TEXT}");
  }
  if (!application_) application_.emplace(window_);
  try {
    const bool result = application_->Connect(FromJson(*this, *doc), pwd != nullptr ? pwd->get<std::string>() : "");
    reply(result);
  } catch (const RuntimeError& e) {
    fail(e.Number(), e.Description());
  } catch (const HostGone&) {
    ended_ = true;
  }
}

void JsonRpcServer::HandleWhileWaiting(const json& m) {
  if (IsNotification(m)) return;
  const json* idMember = Member(m, "id");
  const json id = IsValidId(idMember) ? *idMember : json();
  if (!IsValidRequest(m)) return Fail(id, -32600, "Invalid Request");
  Fail(id, -32000, "Server busy: it waits for the host's answer to its own call");
}

json JsonRpcServer::CallHost(json request) {
  const std::int64_t id = nextId_++;
  request["id"] = id;
  Send(request);
  for (;;) {
    json message;
    const Read read = ReadMessage(message);
    if (read == Read::End) throw HostGone{};
    if (read != Read::Message) continue;
    const json* answerId = Member(message, "id");
    if (!IsResponse(message) || answerId == nullptr || *answerId != json(id)) {
      if (!IsResponse(message)) HandleWhileWaiting(message);
      continue;
    }
    if (const json* error = Member(message, "error")) {
      const json* text = Member(*error, "message");
      RaiseError(kErrAutomation, IsString(text) ? text->get<std::string>()
                                                : error->dump(-1, ' ', false, json::error_handler_t::replace));
    }
    return *Member(message, "result");
  }
}

}  // namespace velmora
