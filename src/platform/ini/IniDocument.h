#pragma once
// A parsed settings file, read the way Windows' profile functions read one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class IniDocument {
 public:
  // `text` is the file's content as UTF-8 (see DecodeFileText).
  static IniDocument Parse(std::string text);

  // The value of the first matching key of the first matching section, or
  // nothing. Names compare without regard to letter case.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // Every key of the first matching section with its value, in the file's
  // order, duplicates too: a table of many keys read in one walk.
  template <class Visit>
  void ForEachKey(std::string_view section, Visit visit) const {
    if (const Section* s = FindSection(section)) {
      for (std::size_t i = 0; i < s->keyCount; ++i)
        visit(View(keys_[s->firstKey + i].name), View(keys_[s->firstKey + i].value));
    }
  }

 private:
  // Names and values are kept as places in text_, which the document owns and
  // never changes: a copy or a move keeps them right. 32 bits each: a settings
  // file is read up to its first 4 GiB.
  struct Span {
    std::uint32_t pos = 0;
    std::uint32_t size = 0;
  };
  struct Key {
    Span name;
    Span value;
    std::uint32_t hash = 0;  // of the name, without regard to case
  };
  struct Section {
    Span name;
    std::uint32_t hash = 0;    // of the name, without regard to case
    std::size_t firstKey = 0;  // its keys are keys_[firstKey, firstKey + keyCount), in the file's order
    std::size_t keyCount = 0;
    std::vector<std::uint32_t> slots;  // open addressing by case-blind hash: key number + 1, 0 when free
  };
  std::string_view View(Span span) const { return std::string_view(text_).substr(span.pos, span.size); }
  Span SpanOf(std::string_view part) const {
    return {static_cast<std::uint32_t>(part.data() - text_.data()), static_cast<std::uint32_t>(part.size())};
  }
  const Section* FindSection(std::string_view name) const;
  void IndexKeys(Section& section) const;
  void IndexSections();

  std::string text_;
  std::vector<Key> keys_;
  std::vector<Section> sections_;  // in the file's order
  // Open addressing by case-blind hash: section number + 1, 0 when free. A
  // template has a section per variable: each found at once, not by a scan.
  std::vector<std::uint32_t> sectionSlots_;
};

}  // namespace velmora
