#pragma once
// The host's side of the protocol for the server's tests: the protocol's own
// host (protocol::DocumentHost) on a document of a few variables, recording
// every call and failing the ones a test asks to fail.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "ChildProcess.h"
#include "protocol/DocumentHost.h"

namespace velmora::test {

struct HostVariable {
  nlohmann::json name;
  nlohmann::json kind;
};

class TestHost {
 public:
  TestHost(ChildProcess& server, const std::vector<HostVariable>& variables, nlohmann::json number)
      : server_(server), host_(Document(variables, std::move(number))) {}

  // Sends Connect and serves the server's calls until the answer comes.
  nlohmann::json Connect();
  // Sends any request and returns the answer (serving the server's calls meanwhile).
  nlohmann::json Request(const nlohmann::json& request);

  std::vector<nlohmann::json> Imports;     // the arguments of every import call
  std::map<int, std::string> FailingGets;  // DISPIDs of the document that answer an error
  std::string FailingImport;               // when set, the import call answers this error
  std::vector<std::string> Calls;          // every call received: "Get v0 3", "Enumerate vars"

 private:
  static protocol::HostDocument Document(const std::vector<HostVariable>& variables, nlohmann::json number) {
    protocol::HostDocument d;
    for (const HostVariable& v : variables) d.variables.push_back({v.name, v.kind, std::nullopt});
    d.number = std::move(number);
    return d;
  }
  // The protocol's own host, with the failures and the record above around it.
  nlohmann::json Answer(const nlohmann::json& call);
  ChildProcess& server_;
  protocol::DocumentHost host_;
  int nextId_ = 1;
};

}  // namespace velmora::test
