#include "base/Variant.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "base/NumericText.h"
#include "base/RuntimeError.h"

namespace velmora {
namespace {

template <class... F>
struct Overload : F... {
  using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;

// Up to 15 significant digits, as the platform writes a double.
std::string DoubleText(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", v);
  return buffer;
}

}  // namespace

VarType Variant::Type() const {
  return std::visit(Overload{
                        [](const std::monostate&) { return VarType::Empty; },
                        [](const Null&) { return VarType::Null; },
                        [](const std::int16_t&) { return VarType::Integer; },
                        [](const std::int32_t&) { return VarType::Long; },
                        [](const double&) { return VarType::Double; },
                        [](const std::string&) { return VarType::String; },
                        [](const Boolean&) { return VarType::Boolean; },
                        [](const Object&) { return VarType::Object; },
                        [](const Array&) { return VarType::Array; },
                    },
                    value_);
}

std::string Variant::ToText() const {
  return std::visit(Overload{
                        [](const std::monostate&) { return std::string(); },
                        [](const Null&) -> std::string { RaiseError(kErrInvalidUseOfNull); },
                        [](const std::int16_t& v) { return std::to_string(v); },
                        [](const std::int32_t& v) { return std::to_string(v); },
                        [](const double& v) { return DoubleText(v); },
                        [](const std::string& v) { return v; },
                        [](const Boolean& v) { return std::string(v.value != 0 ? "True" : "False"); },
                        [](const Object&) -> std::string { RaiseError(kErrTypeMismatch); },
                        [](const Array&) -> std::string { RaiseError(kErrTypeMismatch); },
                    },
                    value_);
}

std::int32_t Variant::ToLong() const {
  if (const auto* v = std::get_if<std::int16_t>(&value_)) return *v;
  if (const auto* v = std::get_if<std::int32_t>(&value_)) return *v;
  if (const auto* v = std::get_if<Boolean>(&value_)) return v->value;
  if (std::holds_alternative<std::monostate>(value_)) return 0;
  if (std::holds_alternative<Null>(value_)) RaiseError(kErrInvalidUseOfNull);
  double number = 0;
  if (const auto* v = std::get_if<double>(&value_)) {
    number = *v;
  } else if (const auto* t = std::get_if<std::string>(&value_)) {
    const std::optional<double> parsed = ParseNumericText(*t);
    if (!parsed) RaiseError(kErrTypeMismatch);
    number = *parsed;
  } else {
    RaiseError(kErrTypeMismatch);
  }
  const double rounded = std::nearbyint(number);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) RaiseError(kErrOverflow);
  return static_cast<std::int32_t>(rounded);
}

bool Variant::operator==(const Variant& other) const {
  if (value_.index() != other.value_.index()) return false;
  return std::visit(Overload{
                        [](const std::monostate&, const std::monostate&) { return true; },
                        [](const Null&, const Null&) { return true; },
                        [](const Boolean& a, const Boolean& b) { return a.value == b.value; },
                        [](const auto& a, const auto& b) {
                          if constexpr (std::is_same_v<decltype(a), decltype(b)>) {
                            return a == b;
                          } else {
                            return false;
                          }
                        },
                    },
                    value_, other.value_);
}

}  // namespace velmora
