#pragma once
// The host's end of the protocol: the wizard's Get, Enumerate and Call
// answered from a host document, its objects named "doc" (the document),
// "vars" (its variables), "v0", "v1" ... and "n1", "n2" (the way to its
// number). The import call is recorded, never carried out.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "protocol/HostDocument.h"

namespace velmora::protocol {

inline constexpr const char* kDocumentObject = "doc";

class DocumentHost {
 public:
  explicit DocumentHost(HostDocument document) : document_(std::move(document)) {}

  // The answer to one of the wizard's requests; an unknown member is error -32601.
  nlohmann::json Answer(const nlohmann::json& request);

  // The arguments of every import call, in their order.
  const std::vector<nlohmann::json>& Imports() const { return imports_; }

 private:
  HostDocument document_;
  std::vector<nlohmann::json> imports_;
};

}  // namespace velmora::protocol
