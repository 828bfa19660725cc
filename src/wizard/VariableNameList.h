#pragma once
// The host document's variable names that the variable page offers; the
// automation layer fills the module-level instance before each run.
#include <memory>
#include <string>
#include <vector>

namespace velmora {

class VariableNameList {
 public:
  virtual ~VariableNameList() = default;
  // The names in the collection's order.
  virtual std::vector<std::string> Enumerate() const = 0;
};

// A plain list, for runs that are not started by the automation server.
class FixedVariableNames : public VariableNameList {
 public:
  explicit FixedVariableNames(std::vector<std::string> names) : names_(std::move(names)) {}
  std::vector<std::string> Enumerate() const override { return names_; }

 private:
  std::vector<std::string> names_;
};

// The module-level VariableNames; null until a run sets it.
std::shared_ptr<VariableNameList>& VariableNames();

}  // namespace velmora
