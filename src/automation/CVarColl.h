#pragma once
// The host document's variable names: an ordered collection of values, with
// optional text keys that are unique without regard to letter case.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Variant.h"
#include "wizard/VariableNameList.h"

namespace velmora {

class CVarColl : public VariableNameList {
 public:
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  // By position (1 to Count; error 9 outside) or by text key (error 5 when absent).
  Variant Item(const Variant& key) const;
  // The elements are plain texts, which have no default property to assign to.
  void SetItem(const Variant& key, const Variant& newObject);
  // Appends `newVar`; error 457 when `key` is already in use.
  void Add(const std::string& newVar, const std::optional<std::string>& key = std::nullopt);
  void Remove(const Variant& key);
  void RemoveAll() { items_.clear(); }
  std::vector<Variant> NewEnum() const;
  std::vector<std::string> Enumerate() const override;

 private:
  struct Element {
    Variant value;
    std::optional<std::string> key;
  };
  std::size_t Position(const Variant& key) const;
  std::vector<Element> items_;
};

}  // namespace velmora
