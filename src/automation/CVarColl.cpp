#include "automation/CVarColl.h"

#include "base/RuntimeError.h"
#include "platform/CaseFold.h"

namespace velmora {

std::size_t CVarColl::Position(const Variant& key) const {
  if (const std::string* text = key.AsText()) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].key && EqualsIgnoreCase(*items_[i].key, *text)) return i;
    }
    RaiseError(kErrInvalidCall);
  }
  const std::int32_t position = key.ToLong();
  if (position < 1 || position > Count()) RaiseError(kErrSubscript);
  return static_cast<std::size_t>(position - 1);
}

Variant CVarColl::Item(const Variant& key) const { return items_[Position(key)].value; }

void CVarColl::SetItem(const Variant& key, const Variant&) {
  Position(key);
  RaiseError(kErrNoSuchMember);
}

void CVarColl::Add(const std::string& newVar, const std::optional<std::string>& key) {
  if (key) {
    for (const Element& e : items_) {
      if (e.key && EqualsIgnoreCase(*e.key, *key)) {
        RaiseError(kErrDuplicateKey, "This key is already associated with an element of this collection");
      }
    }
  }
  items_.push_back({Variant(newVar), key});
}

void CVarColl::Remove(const Variant& key) { items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Position(key))); }

std::vector<Variant> CVarColl::NewEnum() const {
  std::vector<Variant> values;
  for (const Element& e : items_) values.push_back(e.value);
  return values;
}

std::vector<std::string> CVarColl::Enumerate() const {
  std::vector<std::string> names;
  for (const Element& e : items_) names.push_back(e.value.ToText());
  return names;
}

}  // namespace velmora
