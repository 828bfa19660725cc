#include "automation/HostDocumentFile.h"

#include <functional>
#include <map>
#include <ostream>

#include <nlohmann/json.hpp>

#include "base/RuntimeError.h"
#include "protocol/HostDocument.h"
#include "protocol/HostMembers.h"

namespace velmora {
namespace {

using nlohmann::json;

// An object with fixed properties by DISPID; anything else is error 438, as a
// real document answers a member it does not have.
class FixedObject : public Dispatch {
 public:
  std::map<std::int32_t, Variant> properties;
  std::map<std::int32_t, std::string> origins;  // where in the file each value stands
  std::shared_ptr<std::string> lastRead;        // the origin of the value read last
  std::vector<Variant> elements;
  std::function<void(const std::vector<Variant>&)> onImport;

  Variant Get(std::int32_t dispid) override {
    const auto found = properties.find(dispid);
    if (found == properties.end()) RaiseError(kErrNoSuchMember);
    if (lastRead) *lastRead = origins.count(dispid) != 0 ? origins[dispid] : std::string();
    return found->second;
  }
  void Call(std::int32_t dispid, const std::vector<Variant>& args) override {
    if (dispid != protocol::kImport || !onImport) RaiseError(kErrNoSuchMember);
    onImport(args);
  }
  std::vector<Variant> Enumerate() override { return elements; }
};

Variant Value(const json& j) {
  if (j.is_string()) return Variant(j.get<std::string>());
  if (j.is_boolean()) return Variant::FromBool(j.get<bool>());
  if (j.is_number_integer() && j.get<std::int64_t>() >= INT32_MIN && j.get<std::int64_t>() <= INT32_MAX) {
    return Variant(static_cast<std::int32_t>(j.get<std::int64_t>()));
  }
  if (j.is_number()) return Variant(j.get<double>());
  if (j.is_null()) return Variant(Variant::Null{});
  return Variant(j.dump(-1, ' ', false, json::error_handler_t::replace));
}

Variant Object(std::shared_ptr<Dispatch> object) { return Variant(Variant::Object(std::move(object))); }

}  // namespace

std::shared_ptr<Dispatch> LoadHostDocument(const std::string& path, std::ostream& out,
                                           std::shared_ptr<std::string> lastRead, FileClock start) {
  protocol::HostDocument doc;
  try {
    doc = protocol::ReadHostDocument(path);
  } catch (const protocol::DocumentError& e) {
    throw DocumentFileError(e.what());
  }
  auto list = std::make_shared<FixedObject>();
  list->lastRead = lastRead;
  for (std::size_t i = 0; i < doc.variables.size(); ++i) {
    const protocol::HostDocument::Variable& v = doc.variables[i];
    auto variable = std::make_shared<FixedObject>();
    variable->lastRead = lastRead;
    const std::string at = "variables[" + std::to_string(i) + "]";
    variable->properties[protocol::kVariableName] = Value(v.name);
    variable->properties[protocol::kVariableKind] = Value(v.kind);
    variable->origins[protocol::kVariableName] = doc.Origin(at + ".name", v.name);
    variable->origins[protocol::kVariableKind] = doc.Origin(at + ".kind", v.kind);
    list->elements.push_back(Object(variable));
  }
  auto numberSource = std::make_shared<FixedObject>();
  numberSource->lastRead = lastRead;
  numberSource->properties[protocol::kNumber] = Value(doc.number);
  numberSource->origins[protocol::kNumber] = doc.Origin("number", doc.number);
  auto numberHolder = std::make_shared<FixedObject>();
  numberHolder->properties[protocol::kNumberStep2] = Object(numberSource);

  auto document = std::make_shared<FixedObject>();
  document->properties[protocol::kVariableList] = Object(list);
  document->properties[protocol::kNumberStep1] = Object(numberHolder);
  document->onImport = [&out, start](const std::vector<Variant>& args) {
    if (args.size() != 1) RaiseError(kErrWrongArguments);
    const std::string template_ = args[0].ToText();
    if (WrittenSince(template_, start)) out << "imported: " << template_ << std::endl;
  };
  return document;
}

}  // namespace velmora
