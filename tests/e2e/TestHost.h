#pragma once
// The host's side of the protocol: a label document of a few variables that
// answers the server's Get, Enumerate and Call, and records the import call.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "ChildProcess.h"

namespace velmora::test {

struct HostVariable {
  nlohmann::json name;
  nlohmann::json kind;
};

class TestHost {
 public:
  TestHost(ChildProcess& server, std::vector<HostVariable> variables, nlohmann::json number)
      : server_(server), variables_(std::move(variables)), number_(std::move(number)) {}

  // Sends Connect and serves the server's calls until the answer comes.
  nlohmann::json Connect();
  // Sends any request and returns the answer (serving the server's calls meanwhile).
  nlohmann::json Request(const nlohmann::json& request);

  std::vector<nlohmann::json> Imports;     // the arguments of every import call
  std::map<int, std::string> FailingGets;  // DISPIDs of the document that answer an error
  std::string FailingImport;               // when set, the import call answers this error
  std::vector<std::string> Calls;          // every call received: "Get v0 3", "Enumerate vars"

 private:
  nlohmann::json Answer(const nlohmann::json& call);
  ChildProcess& server_;
  std::vector<HostVariable> variables_;
  nlohmann::json number_;
  int nextId_ = 1;
};

}  // namespace velmora::test
