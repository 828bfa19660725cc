#include "platform/BoundedJson.h"

namespace velmora {
namespace {

struct TooDeep {};

// The library's message without its "[json.exception.parse_error.101]" code.
std::string Plain(const std::string& what) {
  const std::size_t code = what.find("] ");
  std::string text = code == std::string::npos ? what : what.substr(code + 2);
  if (text.starts_with("parse error at ")) text = "not valid JSON at " + text.substr(15);
  return text;
}

}  // namespace

BoundedJson ParseBoundedJson(std::string_view text, int maxDepth) {
  BoundedJson result;
  // The parser keeps its own stack; only the depth needs a bound.
  const nlohmann::json::parser_callback_t bound = [maxDepth](int depth, nlohmann::json::parse_event_t event,
                                                             nlohmann::json&) {
    if ((event == nlohmann::json::parse_event_t::object_start || event == nlohmann::json::parse_event_t::array_start) &&
        depth >= maxDepth) {
      throw TooDeep{};
    }
    return true;
  };
  try {
    result.value = nlohmann::json::parse(text, bound);
  } catch (const TooDeep&) {
    result.tooDeep = true;
    result.error = "nested too deeply (more than " + std::to_string(maxDepth) + " levels)";
  } catch (const nlohmann::json::exception& e) {
    result.error = Plain(e.what());
  }
  if (!result.Ok()) result.value = nullptr;
  return result;
}

}  // namespace velmora
