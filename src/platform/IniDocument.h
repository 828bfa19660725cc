#pragma once
// A parsed settings file, read the way Windows' profile functions read one.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

class IniDocument {
 public:
  // `text` is the file's content as UTF-8 (see DecodeFileText).
  static IniDocument Parse(std::string_view text);

  // The value of the first matching key of the first matching section, or
  // nullptr. Names compare without regard to letter case.
  const std::string* Find(std::string_view section, std::string_view key) const;

 private:
  struct Section {
    std::unordered_map<std::string, std::string> firstValueByKey;  // upper-cased key
  };
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> firstSectionByName_;  // upper-cased name
};

}  // namespace velmora
