#pragma once
// JSON from outside (protocol lines, documents) parsed with its nesting bounded,
// so that a hostile input can neither overflow the stack nor raise the
// library's own errors: the result says what is wrong in plain words.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace velmora {

inline constexpr int kMaxJsonDepth = 64;

struct BoundedJson {
  nlohmann::json value;
  bool tooDeep = false;
  std::string error;  // empty when the text is JSON within the depth
  bool Ok() const { return error.empty(); }
};

BoundedJson ParseBoundedJson(std::string_view text, int maxDepth = kMaxJsonDepth);

}  // namespace velmora
