#pragma once
// The options a command line names. CLI11 builds every option it is given,
// and a short run's start is mostly that: a command declares a group of its
// options only when the line names one of them, and all of them when the line
// asks for help (or a group has nothing the line could lack).
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace velmora::app {

class OfferedOptions {
 public:
  // Every option: for help, and for tests.
  static OfferedOptions All() { return OfferedOptions(); }
  // The names `args` (argv without the program) uses, "--name" of "--name=value"
  // included; all of them when it asks for help.
  static OfferedOptions Of(std::span<char* const> args) {
    OfferedOptions o;
    for (const std::string_view arg : args) {
      if (arg == "--help" || arg == "-h") return All();
      if (arg.starts_with("--")) o.names_.push_back(arg.substr(0, arg.find('=')));
    }
    o.all_ = false;
    return o;
  }
  // Is every option wanted (help)?
  bool Everything() const { return all_; }
  // Does the line name any of `names`?
  bool Any(std::initializer_list<std::string_view> names) const {
    if (all_) return true;
    for (const std::string_view n : names) {
      for (const std::string_view given : names_) {
        if (n == given) return true;
      }
    }
    return false;
  }

 private:
  OfferedOptions() = default;
  bool all_ = true;
  std::vector<std::string_view> names_;
};

}  // namespace velmora::app
