#pragma once
// The host document kept in a JSON file, one reader for every use: `run`'s
// stand-in host and `velmora-label design`'s label document.
// {"variables":[{"name":"LOT","kind":5,"value":"ABC123"}],"number":42}
// Each variable needs a name and a kind (kept as the file has them: the wizard
// judges them, as it judges a real host's answers); a value, when given, is a
// text; "number" defaults to 0 (a host without one answers 0).
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace velmora::protocol {

// A document that cannot be used; the message names the file and the field.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct HostDocument {
  struct Variable {
    nlohmann::json name;
    nlohmann::json kind;
    std::optional<std::string> value;
  };
  std::string file;  // the file's name, as messages name it
  std::vector<Variable> variables;
  nlohmann::json number = 0;

  // The values of the variables that have one, by name.
  std::map<std::string, std::string, std::less<>> Values() const;
  // Where a field stands in the file: "document.json: variables[2].kind is \"x\"".
  std::string Origin(const std::string& field, const nlohmann::json& value) const;
};

HostDocument ReadHostDocument(const std::string& path);

}  // namespace velmora::protocol
