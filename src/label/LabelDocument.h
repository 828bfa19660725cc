#pragma once
// A label document kept in a JSON file: the host document of the wizard's
// protocol, with a value for each variable.
// {"variables":[{"name":"LOT","kind":5,"value":"ABC123"}],"number":42}
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "symbol/Formula.h"

namespace velmora::label {

class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LabelDocument {
  struct Variable {
    nlohmann::json name;  // what the host answers, as it is in the file
    nlohmann::json kind;
    std::optional<std::string> value;
  };
  std::vector<Variable> variables;
  nlohmann::json number = 0;
  // The values of the variables that have one, by name.
  symbol::VariableValues Values() const;
};

// Throws DocumentError naming the file and the field.
LabelDocument LoadLabelDocument(const std::string& path);

}  // namespace velmora::label
