#pragma once
// A value of any of the kinds that cross module and automation boundaries.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace velmora {

class Dispatch;  // an automation object; defined with the automation layer

enum class VarType : std::int16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Double = 5,
  String = 8,
  Object = 9,
  Boolean = 11,
  Array = 8192,
};

class Variant {
 public:
  struct Null {};
  struct Boolean {
    std::int16_t value;
  };
  using Array = std::vector<Variant>;
  using Object = std::shared_ptr<Dispatch>;

  Variant() = default;
  Variant(Null) : value_(Null{}) {}
  Variant(std::int16_t v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(Boolean v) : value_(v) {}
  Variant(Object v) : value_(std::move(v)) {}
  Variant(Array v) : value_(std::move(v)) {}

  static Variant FromBool(bool b) { return Variant(Boolean{static_cast<std::int16_t>(b ? -1 : 0)}); }

  VarType Type() const;
  bool IsEmpty() const { return Type() == VarType::Empty; }

  // The text form: empty for Empty, "True"/"False", numbers in decimal; Null
  // raises error 94 and objects and arrays error 13.
  std::string ToText() const;
  // As a 32-bit whole number, the way a conversion to Long takes it: numbers
  // rounded half to even, Booleans, texts that are numbers; error 6 outside 32
  // bits, error 13 for other texts, objects and arrays, error 94 for Null.
  std::int32_t ToLong() const;

  const Array* AsArray() const { return std::get_if<Array>(&value_); }
  const Object* AsObject() const { return std::get_if<Object>(&value_); }
  const std::string* AsText() const { return std::get_if<std::string>(&value_); }

  bool operator==(const Variant& other) const;

 private:
  std::variant<std::monostate, Null, std::int16_t, std::int32_t, double, std::string, Boolean, Object, Array> value_;
};

}  // namespace velmora
